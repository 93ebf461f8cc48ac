#include "skinwriter.h"

#include "aboutart.h"
#include "controlart.h"
#include "panelart.h"
#include "scaleart.h"
#include "selectorart.h"

#include "framework/gui/skinbitmap.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

namespace fs = std::filesystem;

namespace {

using Art = std::function<std::unique_ptr<Painter>(const Skinstyle&)>;

std::vector<std::pair<std::string, Art>> images()
{
    using Shape = Selectorart::Shape;
    auto types = [](Shape a, Shape b, Shape c) {
        return [=](const Skinstyle& s) { return Selectorart::types(s, {a, b, c}); };
    };
    std::vector<std::pair<std::string, Art>> list = {
        {"background.png", Panelart::background},
        {"font.png", Scaleart::font},
        {"blobs.png", Controlart::handles},
        {"vol_slider.png", Controlart::fader},
        {"knob.png", Controlart::knob},
        {"text-bg.png", Scaleart::statusBack},
        // The shapes the types really select: type 0 shelves the high end
        // (beside the high-pass of the first band), type 2 the low end
        // (beside the low-pass of the last), whatever their names say.
        {"mode-lo-select.png", types(Shape::highpass, Shape::bell, Shape::lowshelf)},
        {"mode-select.png", types(Shape::highshelf, Shape::bell, Shape::lowshelf)},
        {"mode-hi-select.png", types(Shape::highshelf, Shape::bell, Shape::lowpass)},
        {"mode-lo-slopes.png",
         [](const Skinstyle& s) {
             return Selectorart::slopes(s, {Shape::highpass, Shape::bell, Shape::lowshelf});
         }},
        {"mode-hi-slopes.png",
         [](const Skinstyle& s) {
             return Selectorart::slopes(s, {Shape::highshelf, Shape::bell, Shape::lowpass});
         }},
        {"db-line.png", Scaleart::dbLine},
        {"db-numbers.png", Scaleart::dbNumbers},
        {"freqscale.png", Scaleart::frequencies},
        {"aboutbox.png", Aboutart::aboutbox},
        {"st-m-lr.png", Selectorart::outputs},
    };
    for (int b = 0; b < 7; ++b)
        list.emplace_back("button-" + std::to_string(b + 1) + ".png",
                          [b](const Skinstyle& s) { return Controlart::bandSwitch(s, b); });
    return list;
}

const char* const note =
    "This skin was drawn by tools/skins, the project's own generator: run `skins FOLDER` to draw it again. "
    "Every letter and digit in it comes from the generator's own 5 by 7 pixel glyphs; no system font is used. "
    "Each image NAME.png has a twin NAME@2x.png drawn at twice its size, which large editors use.\n";

} // namespace

std::vector<std::string> Skinwriter::fileNames()
{
    std::vector<std::string> names = {"colors.txt", "notes.txt"};
    for (const auto& image : images()) {
        names.push_back(image.first);
        names.push_back(Framework::Skinbitmap::doubleName(image.first));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Skinwriter::write(const Skinstyle& style, const std::string& folder)
{
    const fs::path to = fs::path(folder) / style.name;
    std::error_code error;
    fs::create_directories(to, error);
    // Every image at the layout's size and at twice it, for large editors.
    Skinstyle twice = style;
    twice.density = 2;
    for (const auto& [name, art] : images()) {
        if (!art(style)->save((to / name).string()))
            return "cannot write " + (to / name).string();
        const std::string doubled = Framework::Skinbitmap::doubleName(name);
        if (!art(twice)->save((to / doubled).string()))
            return "cannot write " + (to / doubled).string();
    }
    for (const auto& [name, text] : {std::pair<const char*, std::string>{"colors.txt", colours(style)},
                                     std::pair<const char*, std::string>{"notes.txt", note}}) {
        std::ofstream out(to / name, std::ios::binary);
        if (!(out << text))
            return "cannot write " + (to / name).string();
    }
    return "";
}

std::string Skinwriter::colours(const Skinstyle& style)
{
    auto line = [](const std::string& key, Colour c) {
        return key + ":" + std::to_string(c.a) + "," + std::to_string(c.r) + "," + std::to_string(c.g) + "," +
               std::to_string(c.b) + "\n";
    };
    std::string text;
    for (int b = 0; b < 7; ++b)
        text += line("band-" + std::to_string(b + 1), style.bands[b].alpha(style.bandAlpha / 255.0));
    return text + line("main", style.main) + line("analyzer-in", style.analyzerIn) +
           line("analyzer-out", style.analyzerOut) + line("left", style.left) + line("right", style.right) +
           line("mid", style.mid) + line("side", style.side) + line("hint", style.hint) +
           line("hint-edge", style.hintEdge);
}
