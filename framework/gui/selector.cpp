#include "selector.h"

#include "framework/plugin/paramset.h"

#include <cmath>

namespace Framework {

double Selector::itemCount(Binding& binding) const
{
    return binding.paramset->getMax(binding.index) - binding.paramset->getMin(binding.index) + 1.0;
}

int Selector::perColumn(Binding& binding) const
{
    const double count = itemCount(binding);
    if (columns <= 0 || count < columns)
        return 0;
    return static_cast<int>(count / columns);
}

void Selector::mouse(Window&, int& x, int& y, Binding& binding, Mouseevent& event)
{
    const int rows = perColumn(binding);
    if (event.code != Mouse::leftDown || rows == 0)
        return;
    const int cw = width / columns, ch = height / rows;
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j)
            if (x + i * cw < event.x && event.x < x + (i + 1) * cw && y + j * ch < event.y &&
                event.y < y + (j + 1) * ch) {
                binding.paramset->setValue(i * rows + j, binding.index, false);
                return;
            }
}

void Selector::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    if (perColumn(binding) == 0)
        return;
    const double v = binding.paramset->getValue(binding.index);
    const int col = static_cast<int>(std::floor(v / columns));
    const int row = static_cast<int>(v - col * columns);
    const int cw = width / columns;
    const int ch = static_cast<int>(height / (itemCount(binding) / columns));
    blendPart(surface, 0, 0, width, height, x, y);
    blendPart(surface, col * cw, height + row * ch, cw, ch, x + col * cw, y + row * ch);
}

} // namespace Framework
