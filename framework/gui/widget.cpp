#include "widget.h"

#include <algorithm>

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

bool Widget::stepNormalized(Binding& binding, const Wheelevent& event)
{
    Paramset& set = *binding.paramset;
    const double step = (event.shift ? 0.001 : 0.01) * event.notches;
    set.beginEdit(binding.index, Gesture::wheel);
    set.setNormalized(unitClamped(set.getNormalized(binding.index) + step), binding.index, false);
    return true;
}

bool Widget::stepChoice(Binding& binding, const Wheelevent& event)
{
    Paramset& set = *binding.paramset;
    const double chosen = static_cast<int>(set.getValue(binding.index)) + event.notches;
    set.beginEdit(binding.index, Gesture::wheel);
    set.setValue(std::clamp(chosen, set.getMin(binding.index), set.getMax(binding.index)), binding.index, false);
    return true;
}

} // namespace Framework
