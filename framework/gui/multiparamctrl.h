// A parameter control that depends on a run of parameters, such as a
// display of several values: it is redrawn when any of them changes.
#pragma once

#include "paramctrl.h"

namespace Framework {

class Multiparamctrl : public Paramctrl {
public:
    // Bound to the parameters index .. index + count - 1.
    Multiparamctrl(int x, int y, int conditionIndex, Paramset* conditionSet, Widget* primary, Widget* alternate,
                   Paramset& paramset, int index, int count);

    // Redraws for any index of the run, whatever the parameter set; answers
    // true only when that index is also its condition's. A change of the
    // condition outside the run redraws nothing.
    bool valueChanged(Igui& gui, bool& visible, int& index, Paramset* paramset) override;

    // A run of parameters has no one name: no hint.
    std::string hint() override { return std::string(); }

    const int count;

protected:
    // The widget knows which of the run a gesture edits, and resets.
    void beginEdit() override {}
    bool resetsOnControlClick() override { return false; }
};

} // namespace Framework
