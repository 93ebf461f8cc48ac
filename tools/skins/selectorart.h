// Segmented selectors: the band type's three filter shapes and the output
// mode's four choices, each drawn plain above and highlighted below.
#pragma once

#include "painter.h"
#include "skinstyle.h"

#include <array>
#include <memory>

class Selectorart {
public:
    enum class Shape { highpass, lowshelf, bell, highshelf, lowpass };

    // 72 by 48: three 24-pixel segments.
    static std::unique_ptr<Painter> types(const Skinstyle& style, const std::array<Shape, 3>& shapes);
    // 72 by 144: the same strip with its high- or low-pass at 24, 36 and
    // 48 dB per octave, each steeper and marked with its slope.
    static std::unique_ptr<Painter> slopes(const Skinstyle& style, const std::array<Shape, 3>& shapes);
    // 38 by 76: ST and M above L and R, in cells of 19.
    static std::unique_ptr<Painter> outputs(const Skinstyle& style);

private:
    // The strip's plain and highlighted rows from y, a pass filter's slope
    // order times 12 dB per octave.
    static void strip(const Skinstyle& style, const Painter& p, const std::array<Shape, 3>& shapes, double y,
                      int order);
    // The response pictogram of shape within the 24-pixel segment at x; a
    // pass filter's slope order times as steep as at 12 dB per octave.
    static void pictogram(const Painter& p, Shape shape, double x, double y, Colour c, int order);
    // The raised body of a control, or its highlighted form.
    static void body(const Skinstyle& style, const Painter& p, double x, double y, double w, double h, bool lit);
};
