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
#include "framework/vst/vstplugin.h"
#include "module/factory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const usage = "usage: snapshot SKINFOLDER OUT.png [--program N] [--preset FILE.fxp]\n"
                          "                [--set \"NAME=VALUE\"]... [--repaints N] [--scale PERCENT]\n"
                          "  paints the editor with the images of SKINFOLDER (a folder of PNG files)\n";

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
        std::ofstream(path / "Vexatone.ini") << "skin\n"
                                             << skinName << "\ndef-bank-path\n"
                                             << (path / "banks" / "default").string() << "/\nsize\n"
                                             << (scale ? std::to_string(scale) : std::string("100")) << "\n";
        Framework::Headless::setModuleFolder(path.string());
    }
    ~Modulefolder()
    {
        Framework::Headless::setModuleFolder("");
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
