// The moving parts: the knob's frames, the fader's handle, the band
// switches and the display's band handles.
#pragma once

#include "painter.h"
#include "skinstyle.h"

#include <memory>

class Controlart {
public:
    static constexpr int knobFrames = 101;

    // Frames of 34 by 34 from value 0 to 1, the pointer sweeping 270 degrees.
    static std::unique_ptr<Painter> knob(const Skinstyle& style);
    static std::unique_ptr<Painter> fader(const Skinstyle& style);
    // 16 by 16 per band, lit above, off below.
    static std::unique_ptr<Painter> handles(const Skinstyle& style);
    // Band b's switch (0-based), off above and on below.
    static std::unique_ptr<Painter> bandSwitch(const Skinstyle& style, int b);

private:
    static void knobFrame(const Skinstyle& style, const Painter& p, double cy, double value);
};
