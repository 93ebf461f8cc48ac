#include "widget.h"

#include "framework/plugin/paramset.h"

namespace Framework {

void Widget::sync(Paramset& paramset, int& index)
{
    value = paramset.getValue(index);
    normalized = paramset.getNormalized(index);
}

double Widget::unitClamped(double v)
{
    if (v >= 1.0)
        return 1.0;
    if (v <= 0.0)
        return 0.0;
    return v;
}

void Widget::toggle(Binding& binding, const Mouseevent& event)
{
    if (event.code == Mouse::leftDown)
        binding.paramset->setNormalized(binding.pressNormalized > 0.5 ? 0.0 : 1.0, binding.index, false);
}

} // namespace Framework
