#include "uicomp.h"

#include "framework/plugin/paramset.h"

namespace Framework {

Uicomp::Uicomp(int x, int y, int conditionIndex, Paramset* conditionSet)
    : x(x), y(y), conditionIndex(conditionIndex), conditionSet(conditionSet)
{
}

void Uicomp::draw(Igui&, bool&, int&, int&, int&, int&) {}

bool Uicomp::mouse(Igui&, bool&, Mouseevent&)
{
    return false;
}

bool Uicomp::valueChanged(Igui& gui, bool&, int& index, Paramset* paramset)
{
    if (index != conditionIndex || paramset != conditionSet)
        return false;
    redraw(gui);
    return true;
}

bool Uicomp::isDisplayed(Igui& gui, bool visible)
{
    if (conditionIndex == noCondition)
        return visible;
    if (conditionIndex == whenShown || !conditionSet)
        return gui.isShown(this) && visible;
    return conditionSet->getNormalized(conditionIndex) > 0.5 && gui.isShown(this) && visible;
}

void Uicomp::redraw(Igui& gui)
{
    int left = x, top = y, w = width(), h = height();
    gui.redraw(this, left, top, w, h);
}

} // namespace Framework
