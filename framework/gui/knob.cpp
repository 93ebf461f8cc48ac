#include "knob.h"

#include "framework/plugin/paramset.h"

namespace Framework {

void Knob::mouse(Window&, int&, int&, Binding& binding, Mouseevent& event)
{
    // The release carries the last movement, so the knob ends where the pointer does.
    const bool released = event.code == Mouse::leftUp && event.dy != 0.0;
    if (event.code != Mouse::leftDrag && !released)
        return;
    normalized = unitClamped(normalized + event.dy * sensitivity);
    binding.paramset->setNormalized(normalized, binding.index, false);
}

void Knob::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    if (height <= 0)
        return;
    const int frames = bitmapHeight() / height;
    const int frame = static_cast<int>(binding.paramset->getNormalized(binding.index) * (frames - 1));
    blendPart(surface, 0, frame * height, width, height, x, y);
}

} // namespace Framework
