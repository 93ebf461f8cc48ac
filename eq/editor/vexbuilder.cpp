#include "vexbuilder.h"

#include "analyzermenu.h"
#include "comparebutton.h"
#include "copysettingaction.h"
#include "eqwindow.h"
#include "layout.h"
#include "programarrow.h"
#include "vexgui.h"

#include "eq/bandtext.h"
#include "eq/vex.h"
#include "framework/gui/choicemenu.h"
#include "framework/gui/choiceswitch.h"
#include "framework/gui/dbinput.h"
#include "framework/gui/hstack.h"
#include "framework/gui/img.h"
#include "framework/gui/knob.h"
#include "framework/gui/menuarea.h"
#include "framework/gui/menuparamctrl.h"
#include "framework/gui/multiparamctrl.h"
#include "framework/gui/paramctrl.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/presetbrowser.h"
#include "framework/gui/rectangle.h"
#include "framework/gui/selector.h"
#include "framework/gui/setbankpathaction.h"
#include "framework/gui/setparameteraction.h"
#include "framework/gui/sizemenu.h"
#include "framework/gui/skinmenu.h"
#include "framework/gui/slider.h"
#include "framework/gui/textfield.h"
#include "framework/gui/undoaction.h"
#include "framework/gui/variantstack.h"
#include "framework/plugin/linmap.h"
#include "framework/plugin/log10map.h"
#include "framework/plugin/numberformat.h"
#include "framework/plugin/readouts.h"
#include "framework/platform/platform.h"

#include <cmath>

using namespace Framework;
using namespace Vexparameters;

namespace {

// A band's placement as the host reads it, on its switch, and in its menu.
const std::vector<std::string> placementNames = {"ST", "L", "R", "M", "S"};
const std::vector<std::string> placementItems = {"Stereo", "Left", "Right", "Mid", "Side"};
const std::vector<std::string> slopeNames = {"12 dB", "24 dB", "36 dB", "48 dB"};
const std::vector<std::string> slopeItems = {"12 dB/oct", "24 dB/oct", "36 dB/oct", "48 dB/oct"};

} // namespace

void Vexbuilder::build()
{
    gui.setBackground("background.png");
    for (const char* name :
         {"font.png",           "blobs.png",          "vol_slider.png",     "knob.png",     "text-bg.png",
          "mode-select.png",    "mode-lo-select.png", "mode-hi-select.png", "db-line.png",  "db-numbers.png",
          "freqscale.png",      "aboutbox.png",       "st-m-lr.png",        "button-1.png", "button-2.png",
          "button-3.png",       "button-4.png",       "button-5.png",       "button-6.png", "button-7.png",
          "mode-lo-slopes.png", "mode-hi-slopes.png"})
        images[name] = gui.addBitmap(name);
    makeResources();
    makeParameters();
    layOut();
}

void Vexbuilder::makeResources()
{
    font = gui.addResource(std::make_unique<Pixelfont>(images.at("font.png"), 6));
    knob = gui.addResource(std::make_unique<Knob>(Layout::knobSize, Layout::knobSize, images.at("knob.png"), 0.01));
    // The outer bands' strips show their pass filter's slope.
    lowTypes = gui.addResource(std::make_unique<Variantstack>(Layout::selectorW, Layout::selectorH,
                                                              images.at("mode-lo-select.png"),
                                                              images.at("mode-lo-slopes.png"), 0, index(0, slope)));
    volumeEntry = gui.addResource(std::make_unique<Dbinput>(Layout::readoutW, Layout::readoutH, 5, 7, 12, 0, *font));
    volumeSlider =
        gui.addResource(std::make_unique<Slider>(Layout::sliderW, Layout::sliderH, images.at("vol_slider.png"), false));
    middleTypes =
        gui.addResource(std::make_unique<Hstack>(Layout::selectorW, Layout::selectorH, images.at("mode-select.png")));
    highTypes = gui.addResource(
        std::make_unique<Variantstack>(Layout::selectorW, Layout::selectorH, images.at("mode-hi-select.png"),
                                       images.at("mode-hi-slopes.png"), 2, index(bandCount - 1, slope)));
    outputs = gui.addResource(
        std::make_unique<Selector>(Layout::outputsSize, Layout::outputsSize, images.at("st-m-lr.png"), 2));
    veil = gui.addResource(std::make_unique<Togglerectangle>(gui.width(), gui.height(), 64, 0, 0, 0));
    onOffText = vex.addReadout(std::make_unique<Switchreadout>("off", "on"));
    gainText = vex.addReadout(std::make_unique<Unitsreadout>("dB", 1, 0.0));
    defaultReadout = vex.addReadout(std::make_unique<Realvaluereadout>(1));
    typeTexts[0] = vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"hp", "bell", "hi sh"}));
    typeTexts[1] =
        vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"low sh", "bell", "hi sh"}));
    typeTexts[2] = vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"low sh", "bell", "lp"}));
    outputText = vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"ST", "L", "M", "R"}));
    volumeText = vex.addReadout(std::make_unique<Dbreadout>(1));
    placementText = vex.addReadout(std::make_unique<Selectionreadout>(placementNames));
    slopeText = vex.addReadout(std::make_unique<Selectionreadout>(slopeNames));
    // Each switch shows its band's placement beside the band's number.
    for (int b = 0; b < bandCount; ++b)
        switches[static_cast<std::size_t>(b)] = gui.addResource(std::make_unique<Choiceswitch>(
            Layout::switchW, Layout::switchH, images.at("button-" + formatInt(b + 1) + ".png"), *font,
            index(b, placement), placementNames, Layout::placementX, Layout::placementY));
}

// Every row of the parameter table, in index order; a band's parameters are
// named after the band's number.
void Vexbuilder::makeParameters()
{
    for (int i = 0; i < count; ++i) {
        const Row& r = row(i);
        const int band = bandOf(i);
        addParameter(band >= 0 ? formatInt(band + 1) + " " + r.name : std::string(r.name), i, mapOf(r.map),
                     readoutOf(r.text, band), r.automatable);
    }
}

const Map* Vexbuilder::mapOf(const Mapping& mapping)
{
    switch (mapping.scale) {
    case Scale::linear:
        return vex.addMap(std::make_unique<Linmap>(mapping.low, mapping.high));
    case Scale::log10:
        return vex.addMap(std::make_unique<Log10map>(mapping.low, mapping.high));
    case Scale::log10Decades:
        return vex.addMap(std::make_unique<Log10map>(std::pow(10.0, mapping.low), std::pow(10.0, mapping.high)));
    case Scale::none:
        break;
    }
    return nullptr;
}

const Readout* Vexbuilder::readoutOf(Text text, int band) const
{
    switch (text) {
    case Text::onOff:
        return onOffText;
    case Text::decibels:
        return gainText;
    case Text::bandTypes:
        return typeTexts[band == 0 ? 0 : band == bandCount - 1 ? 2 : 1];
    case Text::outputMode:
        return outputText;
    case Text::gainDb:
        return volumeText;
    case Text::placement:
        return placementText;
    case Text::slope:
        return slopeText;
    case Text::number:
        break;
    }
    return defaultReadout;
}

// The root panel's components in drawing order: a later one lies above an
// earlier one and gets the mouse first.
void Vexbuilder::layOut()
{
    Panel& root = gui.root();
    const int none = Uicomp::noCondition;
    gui.hint().setFont(font);
    gui.zoomControl =
        root.add(std::make_unique<Paramctrl>(Layout::zoomX, Layout::knobY, none, nullptr, knob, nullptr, vex, zoom));
    gui.curveScaleControl =
        root.add(std::make_unique<Paramctrl>(Layout::curveX, Layout::knobY, none, nullptr, knob, nullptr, vex, curve));
    gui.zoomControl->setHintLabel("Zoom");
    gui.curveScaleControl->setHintLabel("Curve scale");
    auto* display = gui.addResource(std::make_unique<Eqwindow>(
        Layout::displayW, Layout::displayH, images.at("blobs.png"), images.at("db-numbers.png"),
        images.at("db-line.png"), images.at("freqscale.png"), zoom, curve, vex.display(), &gui.analysed(), font));
    gui.connectAnalyzer(vex.analyzerFeed(), vex.display());
    gui.addSkinListener(display);
    // A right click on a band's switch chooses its placement.
    for (int b = 0; b < bandCount; ++b)
        root.add(std::make_unique<Menuparamctrl>(
                     Layout::switchLeft(b), Layout::switchY, switches[static_cast<std::size_t>(b)], vex, index(b, on),
                     std::make_unique<Choicemenu>("Channels", vex, index(b, placement), placementItems)))
            ->setHintLabel("Band " + formatInt(b + 1));
    gui.statusLine = &vex.display();
    gui.curveControl = root.add(std::make_unique<Multiparamctrl>(Layout::displayX, Layout::displayY, none, nullptr,
                                                                 display, nullptr, vex, 0, bandCount * perBand));
    // A right click on an outer band's strip chooses its pass filter's slope.
    for (int b = 0; b < bandCount; ++b) {
        const int x = Layout::selectorLeft(b), y = Layout::selectorY;
        const int slopeIndex = index(b, slope);
        gui.typeControls[static_cast<std::size_t>(b)] =
            slopeIndex < 0
                ? root.add(std::make_unique<Paramctrl>(x, y, none, nullptr, middleTypes, nullptr, vex, index(b, type)))
                : root.add(std::make_unique<Menuparamctrl>(
                      x, y, b == 0 ? lowTypes : highTypes, vex, index(b, type),
                      std::make_unique<Choicemenu>("Slope", vex, slopeIndex, slopeItems)));
        // The filter as heard and pictured: the host's names of the shelves
        // are the other way round.
        gui.typeControls[static_cast<std::size_t>(b)]->setHintLabel(
            "Band " + formatInt(b + 1),
            {Bandtext::kind(b, 0.0, true), Bandtext::kind(b, 1.0, true), Bandtext::kind(b, 2.0, true)});
    }
    root.add(std::make_unique<Paramctrl>(Layout::sliderX, Layout::sliderY, none, nullptr, volumeSlider, nullptr, vex,
                                         volume))
        ->setHintLabel("Volume");
    root.add(std::make_unique<Paramctrl>(Layout::readoutX, Layout::readoutY, none, nullptr, volumeEntry, nullptr, vex,
                                         volume))
        ->setHintLabel("Volume");
    root.add(
            std::make_unique<Paramctrl>(Layout::outputsX, Layout::outputsY, none, nullptr, outputs, nullptr, vex, mode))
        ->setHintLabel("Output");
    root.add(std::make_unique<Img>(Layout::statusX, Layout::statusBackY, none, nullptr, *images.at("text-bg.png")));
    root.add(std::make_unique<Textfield>(Layout::statusX, Layout::statusY, none, nullptr, *font, Layout::statusW,
                                         vex.display(), 0));
    root.add(
        std::make_unique<Comparebutton>(Layout::compareX, Layout::statusBackY, vex, *images.at("text-bg.png"), *font));
    // A press on the status line shows the preset menu, whatever it shows.
    gui.presets = root.add(std::make_unique<Presetbrowser>(Layout::statusX, Layout::statusBackY, Layout::statusW,
                                                           Layout::statusH, vex, gui));
    for (const int delta : {-1, 1})
        root.add(std::make_unique<Programarrow>(delta < 0 ? Layout::previousX : Layout::nextX, Layout::statusBackY,
                                                delta, *gui.presets, *images.at("text-bg.png"), *font));
    gui.keepHistory(vex);
    root.add(std::make_unique<Menuarea>(Layout::optionsX, Layout::optionsY, none, nullptr, optionsMenu(),
                                        Layout::optionsW, Layout::optionsH));

    // The about box lies above everything; a click anywhere on it hides it.
    Vexgui::Uistate& state = gui.uistate();
    auto about = std::make_unique<Panel>(0, 0, Vexgui::aboutIndex, &state, gui.width(), gui.height());
    about->add(std::make_unique<Paramctrl>(0, 0, none, nullptr, veil, nullptr, state, Vexgui::aboutIndex));
    about->add(std::make_unique<Img>(0, 0, none, nullptr, *images.at("aboutbox.png")));
    root.add(std::move(about));
}

std::unique_ptr<Systemmenu> Vexbuilder::optionsMenu()
{
    auto options = std::make_unique<Systemmenu>("Options", false);
    options->addItem(std::make_unique<Undoaction>(vex, Undoaction::Direction::undo), "Undo");
    options->addItem(std::make_unique<Undoaction>(vex, Undoaction::Direction::redo), "Redo");
    options->addSeparator();
    options->addItem(std::make_unique<Copysettingaction>(vex, Programrecords::a), "Copy A to B");
    options->addItem(std::make_unique<Copysettingaction>(vex, Programrecords::b), "Copy B to A");
    options->addSeparator();
    options->addSubmenu(
        std::make_unique<Skinmenu>("Skin", moduleFolder() + pathSeparator + "skins", gui.settingsFile(), gui));
    options->addSubmenu(std::make_unique<Sizemenu>("Size", gui));
    options->addSubmenu(std::make_unique<Analyzermenu>("Analyzer", gui));
    options->addItem(std::make_unique<Setbankpathaction>(vex, gui), "Default bank path");
    options->addSeparator();
    options->addItem(std::make_unique<Setparameteraction>(gui.uistate(), Vexgui::aboutIndex, 1.0), "About");
    return options;
}

void Vexbuilder::addParameter(const std::string& name, int parameter, const Map* map, const Readout* readout,
                              bool automatable)
{
    auto descriptor = std::make_unique<Paramdescriptor>();
    descriptor->map = map;
    descriptor->readout = readout ? readout : defaultReadout;
    descriptor->slot = slot(parameter);
    descriptor->value = &vex.edited().values[descriptor->slot];
    descriptor->group = bandOf(parameter);
    descriptor->name = name;
    descriptor->automatable = automatable;
    descriptor->defaultValue = defaultValue(parameter);
    vex.addParameter(std::move(descriptor));
}
