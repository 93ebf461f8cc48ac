// snapshot: the editor of the real plug-in, painted by the headless back end
// with a skin folder of your choice and written as PNG, without Windows.
// Options as vsthost's snapshot command; the factory bank is the source
// tree's. With --repaints it also times full repaints of the editor.
#include "effectsetup.h"

#include "eq/editor/vexbuilder.h"
#include "eq/editor/vexgui.h"
#include "eq/vex.h"
#include "framework/platform/headless/headless.h"
#include "framework/gui/headless/screen.h"
#include "framework/gui/hint.h"
#include "framework/vst/vstplugin.h"
#include "module/factory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include <sndfile.h>

namespace fs = std::filesystem;

namespace {

const char* const usage = "usage: snapshot SKINFOLDER OUT.png [--program N] [--preset FILE.fxp]\n"
                          "                [--set \"NAME=VALUE\"]... [--repaints N] [--scale PERCENT]\n"
                          "                [--input IN.wav [--at SECONDS]] [--pointer X,Y]\n"
                          "  paints the editor with the images of SKINFOLDER (a folder of PNG files);\n"
                          "  --input plays IN.wav (until SECONDS) through the plug-in first, its editor open;\n"
                          "  --pointer rests the pointer at X,Y (layout pixels) until its hint shows (again\n"
                          "  for each --pointer)\n";

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A module folder of its own: the skin and the factory bank linked in, and
// settings that name them.
class Modulefolder {
public:
    Modulefolder(const fs::path& skin, const std::string& skinName, int scale)
        : path(fs::temp_directory_path() / ("vexatone-snapshot-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(path / "skins");
        fs::create_directories(path / "banks");
        fs::create_directory_symlink(fs::absolute(skin), path / "skins" / skinName);
        fs::create_directory_symlink(fs::path(VEX_SOURCE_DIR) / "banks" / "default", path / "banks" / "default");
        std::ofstream(path / "Vexatone.ini")
            << "skin\n"
            << skinName << "\ndef-bank-path\n"
            << (path / "banks" / "default").string() << "/\nsize\n"
            << (scale ? std::to_string(scale) : std::string("100")) << "\nanalyzer\noutput\n";
        Framework::Headless::setModuleFolder(path.string());
        // Settings of its own too: the user's are neither read nor written.
        Framework::Headless::setUserFolder((path / "user").string());
    }
    ~Modulefolder()
    {
        Framework::Headless::setModuleFolder("");
        Framework::Headless::setUserFolder("");
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    Modulefolder(const Modulefolder&) = delete;
    Modulefolder& operator=(const Modulefolder&) = delete;

private:
    const fs::path path;
};

double medianRepaint(Framework::Window& window, int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Framework::Headless::paintAll(window);
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + count / 2, times.end());
    return times[static_cast<std::size_t>(count / 2)];
}

// Plays the input through the effect, a sixtieth of a second at a time,
// each followed by a tick of the editor's timer, as the window system
// would give it in real time.
void play(AEffect& e, Framework::Window& window, const Renderoptions& options)
{
    SF_INFO format{};
    SNDFILE* file = sf_open(options.input.c_str(), SFM_READ, &format);
    if (!file)
        throw std::runtime_error(options.input + ": " + sf_strerror(nullptr));
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> closer(file, sf_close);
    const int channels = format.channels, chunk = std::max(format.samplerate / 60, 1);
    e.dispatcher(&e, effSetSampleRate, 0, 0, nullptr, static_cast<float>(format.samplerate));
    e.dispatcher(&e, effSetBlockSize, 0, chunk, nullptr, 0.0f);
    e.dispatcher(&e, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> interleaved(static_cast<std::size_t>(chunk * channels)), left(chunk), right(chunk);
    float* inputs[2] = {left.data(), right.data()};
    const sf_count_t most = options.at ? static_cast<sf_count_t>(*options.at * format.samplerate) : format.frames;
    for (sf_count_t done = 0; done < most;) {
        const sf_count_t count = sf_readf_float(file, interleaved.data(), std::min<sf_count_t>(chunk, most - done));
        if (count <= 0)
            break;
        for (sf_count_t i = 0; i < count; ++i) {
            left[i] = interleaved[i * channels];
            right[i] = interleaved[i * channels + channels - 1];
        }
        e.processReplacing(&e, inputs, inputs, static_cast<VstInt32>(count));
        done += count;
        window.timerTick();
    }
    e.dispatcher(&e, effMainsChanged, 0, 0, nullptr, 0.0f);
}

// The pointer arrives at a layout point, in the middle of its device
// pixels, and rests there while the timer runs until a hint would show.
void rest(Framework::Window& window, std::pair<int, int> at)
{
    const int x = (window.toDevice(at.first) + window.toDevice(at.first + 1)) / 2;
    const int y = (window.toDevice(at.second) + window.toDevice(at.second + 1)) / 2;
    window.mouseMessage(Framework::Window::Mousemessage::move, x, y, false);
    for (int i = 0; i < Framework::Hint::delayTicks; ++i)
        window.timerTick();
}

int snapshot(const Renderoptions& options)
{
    const fs::path skin = options.plugin;
    if (!fs::is_directory(skin))
        throw std::runtime_error(options.plugin + ": no such skin folder");
    const Modulefolder module(
        skin, skin.filename().empty() ? skin.parent_path().filename().string() : skin.filename().string(),
        options.scale);
    // The factory makes the editor's plug-in class; the snapshot needs its window.
    using Vexatone = Framework::VSTplugin<Vex, Vexgui, Vexbuilder>;
    auto* effect = static_cast<Vexatone*>(createEffectInstance(hostCallback));
    if (!effect)
        throw std::runtime_error("the plug-in could not be made");
    AEffect& e = *effect->getAeffect();
    try {
        configure(e, options);
        e.dispatcher(&e, effEditOpen, 0, 0, Framework::Headless::parentWindow(), 0.0f);
        Framework::Window& window = *effect->editorWindow();
        if (!options.input.empty())
            play(e, window, options);
        for (const auto& at : options.pointer)
            rest(window, at);
        Framework::Headless::paintAll(window);
        if (!Framework::Headless::writeScreen(window, options.output))
            throw std::runtime_error(options.output + ": cannot write the PNG file");
        std::printf("saved the editor, %d x %d, to %s\n", window.deviceWidth(), window.deviceHeight(),
                    options.output.c_str());
        if (options.repaints)
            std::printf("full repaint: %.1f us (median of %d)\n", medianRepaint(window, options.repaints),
                        options.repaints);
    } catch (...) {
        e.dispatcher(&e, effClose, 0, 0, nullptr, 0.0f);
        throw;
    }
    e.dispatcher(&e, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc < 3) {
            std::fputs(usage, stderr);
            return 2;
        }
        return snapshot(Renderoptions(argc - 1, argv + 1, Renderoptions::Command::snapshot));
    } catch (const std::invalid_argument& bad) {
        std::fprintf(stderr, "snapshot: %s\n%s", bad.what(), usage);
        return 2;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "snapshot: %s\n", failure.what());
        return 1;
    }
}
