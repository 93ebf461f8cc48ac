#include "rectangle.h"

#include "window.h"

namespace Framework {

void Rectangle::draw(Window& surface, int& x, int& y, int&, Binding&, Mouseevent&)
{
    if (alpha == 0)
        return;
    surface.setColour(std::uint32_t{alpha} << 24 | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue);
    surface.fillRect(x, y, width, height);
}

void Togglerectangle::mouse(Window&, int&, int&, Binding& binding, Mouseevent& event)
{
    toggle(binding, event);
}

} // namespace Framework
