#include "switch.h"

#include "framework/plugin/paramset.h"

namespace Framework {

void Switch::mouse(Window&, int&, int&, Binding& binding, Mouseevent& event)
{
    toggle(binding, event);
}

void Switch::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    const bool on = binding.paramset->getNormalized(binding.index) > 0.5;
    blendPart(surface, 0, on ? height : 0, width, height, x, y);
}

} // namespace Framework
