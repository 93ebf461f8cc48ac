// The skins' own lettering: a 5 by 7 pixel glyph for every code from the
// space (32) to 127, with two more rows below the baseline for descenders.
// Each glyph sits in a cell one pixel wider than itself.
#pragma once

#include <string>

class Bitmapfont {
public:
    static constexpr int first = 32;
    static constexpr int count = 96;
    static constexpr int glyphWidth = 5;
    static constexpr int cell = 6;
    static constexpr int rows = 9;

    // Whether pixel (column, row) of the glyph of code is set; false
    // outside the glyph or for codes without one.
    static bool on(int code, int column, int row);

    // The width in pixels of a line of text, spacing extra pixels between
    // cells, without the last cell's gap.
    static int width(const std::string& text, int spacing = 0);
};
