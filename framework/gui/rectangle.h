// Widgets drawn as a plain rectangle of one colour, blended by its alpha over
// what lies below.
#pragma once

#include "widget.h"

#include <cstdint>

namespace Framework {

class Rectangle : public Widget {
public:
    Rectangle(int width, int height, std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
        : Widget(width, height), alpha(alpha), red(red), green(green), blue(blue)
    {
    }

    // Fills the rectangle whatever the parameter's value; alpha 0 draws
    // nothing.
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    const std::uint8_t alpha;
    const std::uint8_t red;
    const std::uint8_t green;
    const std::uint8_t blue;
};

// A rectangle that flips its parameter at a left press, as a switch does;
// shown or hidden by its control's condition.
class Togglerectangle : public Rectangle {
public:
    using Rectangle::Rectangle;

    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
};

} // namespace Framework
