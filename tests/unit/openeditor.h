// The equalizer with its editor open over the headless window, in a skin the
// test writes: a grey background, green handles, white grid lines if asked
// for, and the curve colours the test gives.
#pragma once

#include "canvas.h"
#include "equalizer.h"

#include "eq/editor/eqwindow.h"
#include "eq/editor/layout.h"
#include "framework/gui/multiparamctrl.h"
#include "framework/platform/headless/headless.h"
#include "framework/gui/headless/screen.h"

#include <cstdint>
#include <filesystem>
#include <string>

struct Openeditor : Equalizer {
    using M = Framework::Window::Mousemessage;

    static constexpr std::uint32_t grey = 0xFF808080;
    static constexpr std::uint32_t handleColour = 0xFF00FF00;
    // Band curves hidden, the sum opaque white.
    static constexpr const char* sumOnly = "band-1:0,0,0,0\nband-2:0,0,0,0\nband-3:0,0,0,0\nband-4:0,0,0,0\n"
                                           "band-5:0,0,0,0\nband-6:0,0,0,0\nband-7:0,0,0,0\nmain:255,255,255,255\n";

    explicit Openeditor(const std::string& colours = sumOnly, bool lines = false, bool handles = true)
    {
        const std::string skin = dir.file("skins/Red");
        std::filesystem::create_directories(skin);
        writePng(skin + "/background.png", 800, 380, [](int, int) { return grey; });
        if (handles)
            writePng(skin + "/blobs.png", 112, 32, [](int, int) { return handleColour; });
        if (lines)
            writePng(skin + "/db-line.png", 724, 1, [](int, int) { return 0xFFFFFFFFu; });
        dir.write("skins/Red/colors.txt", colours);
        setSampleRate(44100.0f);
        gui.open(Framework::Headless::parentWindow());
        gui.loadSkin("Red");
    }
    ~Openeditor() { gui.close(); }

    Eqwindow& display() { return static_cast<Eqwindow&>(*gui.curveControl->primary); }
    void paint() { Framework::Headless::paintAll(gui); }
    std::uint32_t pixel(int x, int y) { return Framework::Headless::backPixel(gui, x, y); }
    void send(M message, int x, int y, bool shift = false, bool control = false, bool alt = false)
    {
        gui.mouseMessage(message, x, y, shift, control, alt);
    }
    // A drag from (x, y) by (dx, dy) in four steps, a still move and the
    // release there.
    void drag(int x, int y, int dx, int dy, M press = M::leftDown, bool shift = false)
    {
        send(press, x, y, shift);
        for (int i = 1; i <= 4; ++i)
            send(M::move, x + dx * i / 4, y + dy * i / 4, shift);
        send(M::move, x + dx, y + dy, shift);
        send(press == M::leftDown ? M::leftUp : M::rightUp, x + dx, y + dy, shift);
    }
    // Puts band b (0..6) on at a normalized frequency and gain.
    void place(int b, double normalizedFrequency, double gain, double type = 1.0, double on = 1.0)
    {
        vex->setNormalized(normalizedFrequency, 5 * b + 1, true);
        vex->setValue(gain, 5 * b + 3, true);
        vex->setValue(type, 5 * b + 4, true);
        vex->setValue(on, 5 * b, true);
    }
    // The window position of band b's handle centre, with the zoom as set.
    Framework::Point handleCentre(int b)
    {
        using namespace Layout;
        const double s = -(displayH - handleSize) / (2.0 * vex->getValue(35));
        return {
            static_cast<float>(displayX + (displayW - handleSize) * vex->getNormalized(5 * b + 1) + handleSize / 2),
            static_cast<float>(displayY + s * vex->getValue(5 * b + 3) + (displayH - handleSize) / 2 + handleSize / 2)};
    }
    // The rows of column x that show more of a colour channel than the grey.
    std::vector<int> rowsWith(int x, int shift)
    {
        std::vector<int> rows;
        for (int y = 6; y < 334; ++y)
            if ((pixel(x, y) >> shift & 0xFF) > 0xC0)
                rows.push_back(y);
        return rows;
    }
};
