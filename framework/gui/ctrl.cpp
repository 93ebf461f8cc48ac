#include "ctrl.h"

#include "framework/plugin/numberformat.h"
#include "framework/plugin/paramset.h"

namespace Framework {

Ctrl::Ctrl(int x, int y, int conditionIndex, Paramset* conditionSet, Paramset& paramset, int index)
    : Lockable(x, y, conditionIndex, conditionSet), paramset(paramset), index(index)
{
}

bool Ctrl::valueChanged(Igui& gui, bool& visible, int& changed, Paramset* set)
{
    if (Uicomp::valueChanged(gui, visible, changed, set))
        return true;
    if (changed != index || set != &paramset)
        return false;
    redraw(gui);
    return true;
}

std::string Ctrl::describe()
{
    const std::string value = formatFixed(paramset.getValue(index), 2);
    const std::string units = paramset.getUnits(index);
    return units.empty() ? value : value + " " + units;
}

std::string Ctrl::hint()
{
    const std::string label = hintLabel.empty() ? paramset.getName(index) : hintLabel;
    if (label.empty())
        return label;
    const double step = paramset.getValue(index);
    if (step >= 0.0 && step < static_cast<double>(hintSteps.size()))
        return label + ": " + hintSteps[static_cast<std::size_t>(step)];
    const std::string units = paramset.getUnits(index);
    const std::string text = paramset.getText(index);
    return label + ": " + (units.empty() ? text : text + " " + units);
}

void Ctrl::press(Igui& gui, bool&, Mouseevent&)
{
    gui.capturePressValues(paramset, index);
    beginEdit();
}

void Ctrl::release()
{
    paramset.endEdit(Gesture::pointer);
}

void Ctrl::beginEdit()
{
    paramset.beginEdit(index, Gesture::pointer);
}

} // namespace Framework
