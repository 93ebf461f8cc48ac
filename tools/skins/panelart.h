// The panel behind every control: the response display's frame and
// frequency lines, the fader's groove, the readout box, the Options button
// and the lettering that has no image of its own.
#pragma once

#include "painter.h"
#include "skinstyle.h"

#include <memory>

class Panelart {
public:
    static std::unique_ptr<Painter> background(const Skinstyle& style);

private:
    static void display(const Skinstyle& style, const Painter& p);
    static void controlStrip(const Skinstyle& style, const Painter& p);
    static void volumeColumn(const Skinstyle& style, const Painter& p);
    // A recessed box: darker above and left, lit below and right.
    static void well(const Skinstyle& style, const Painter& p, int x, int y, int w, int h);
};
