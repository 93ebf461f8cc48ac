#include "hstack.h"

#include "framework/plugin/paramset.h"

namespace Framework {

int Hstack::segments(Binding& binding) const
{
    const double min = binding.paramset->getMin(binding.index), max = binding.paramset->getMax(binding.index);
    return max < min ? 0 : static_cast<int>(max - min) + 1;
}

void Hstack::mouse(Window&, int& x, int&, Binding& binding, Mouseevent& event)
{
    const int n = segments(binding);
    if (event.code != Mouse::leftDown || n == 0)
        return;
    const int sw = width / n, rel = event.x - x;
    int chosen = 0;
    for (int i = n - 1; i >= 0; --i)
        if (rel > i * sw) {
            chosen = static_cast<int>(binding.paramset->getMin(binding.index)) + i;
            break;
        }
    binding.paramset->setValue(chosen, binding.index, false);
}

void Hstack::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    const int n = segments(binding);
    if (n == 0)
        return;
    const int sw = width / n;
    const int k = static_cast<int>(binding.paramset->getValue(binding.index) - binding.paramset->getMin(binding.index));
    blendPart(surface, 0, 0, width, height, x, y);
    blendPart(surface, k * sw, height, sw, height, x + k * sw, y);
}

} // namespace Framework
