#include "multiparamctrl.h"

namespace Framework {

Multiparamctrl::Multiparamctrl(int x, int y, int conditionIndex, Paramset* conditionSet, Widget* primary,
                               Widget* alternate, Paramset& paramset, int index, int count)
    : Paramctrl(x, y, conditionIndex, conditionSet, primary, alternate, paramset, index), count(count)
{
}

bool Multiparamctrl::valueChanged(Igui& gui, bool&, int& changed, Paramset* set)
{
    if (changed < index || changed >= index + count)
        return false;
    redraw(gui);
    return changed == conditionIndex && set == conditionSet;
}

} // namespace Framework
