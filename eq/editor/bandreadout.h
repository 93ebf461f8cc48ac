// One band's values written in a box beside its handle in the response
// display: its number and filter, its frequency, its gain and its width as
// a Q and in octaves (a pass filter has neither gain nor width: its slope
// shows instead). The lines with a value the user may type name it.
#pragma once

#include "eq/vexparameters.h"
#include "framework/gui/hint.h"

#include <array>
#include <cstdint>
#include <string>

namespace Framework {
class Pixelfont;
class Window;
} // namespace Framework

class Bandreadout {
public:
    enum class Value { none, frequency, gain, width };
    enum { lineCount = 4 };

    // The lines for band's values (by Vexparameters::Bandparameter), its
    // gain scaled by gainScale as heard, its filter running at fs.
    void compose(const double (&values)[Vexparameters::bandValueCount], int band, double gainScale, double fs);
    // Places the box beside a handle whose top-left corner is at
    // (handleX, handleY): on the side asked for (right unless leftward),
    // or the other where there is no room, held inside the area (left, top)
    // to (right, bottom).
    void place(const Framework::Pixelfont& font, int handleX, int handleY, int left, int top, int right, int bottom,
               bool leftward = false);
    // Draws the box; the line marked (-1: none) is underlined, as a value a
    // click types.
    void draw(Framework::Window& surface, const Framework::Pixelfont& font, int marked = -1) const;

    // The box as placed.
    int x() const { return boxX; }
    int y() const { return boxY; }
    int width() const { return boxW; }
    int height() const { return boxH; }
    bool contains(int px, int py) const;
    // Whether the box overlaps a rectangle.
    bool overlaps(int rx, int ry, int rw, int rh) const;
    // The line at a point, and the value it holds (none when it holds none).
    int lineAt(int py) const;
    Value valueOf(int line) const;
    const std::string& text(int line) const;
    // The top of a line's text.
    int lineTop(int line) const;

    Framework::Boxcolours colours;

    enum { padding = 4, lineGap = 2, handleGap = 10 };

private:
    struct Line {
        std::string text;
        Value value = Value::none;
    };
    std::array<Line, lineCount> lines;
    int used = 0;
    int boxX = 0, boxY = 0, boxW = 0, boxH = 0, pitch = 0;
};
