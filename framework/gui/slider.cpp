#include "slider.h"

#include "framework/plugin/paramset.h"

namespace Framework {

int Slider::handleHeight() const
{
    return hasTrack ? bitmapHeight() - height : bitmapHeight();
}

void Slider::mouse(Window&, int&, int& y, Binding& binding, Mouseevent& event)
{
    const int k = handleHeight(), t = travel();
    // Without travel there is no position to choose (and 0 / 0 would be sent).
    if (t == 0)
        return;
    const int top = y + static_cast<int>((1.0 - binding.pressNormalized) * t);
    const bool onHandle = top <= event.anchorY && event.anchorY <= top + k;
    const double current = binding.paramset->getNormalized(binding.index);
    if (event.code == Mouse::leftDown && !onHandle)
        binding.paramset->setNormalized(unitClamped(1.0 - static_cast<double>(event.anchorY - k / 2 - y) / t),
                                        binding.index, false);
    // The release carries the last movement, so the handle ends under the pointer.
    if (event.code == Mouse::leftDrag || (event.code == Mouse::leftUp && event.dy != 0.0))
        binding.paramset->setNormalized(unitClamped(current + event.dy / t), binding.index, false);
}

void Slider::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    const int k = handleHeight();
    const int offset = static_cast<int>((1.0 - binding.paramset->getNormalized(binding.index)) * travel());
    if (hasTrack)
        blendPart(surface, 0, k, width, height, x, y);
    blendPart(surface, 0, 0, width, k, x, y + offset);
}

} // namespace Framework
