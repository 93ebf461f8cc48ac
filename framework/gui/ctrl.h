// A lockable component bound to one parameter of a parameter set: it
// captures the parameter's values at each press and is redrawn when that
// parameter changes.
#pragma once

#include "lockable.h"

#include <string>
#include <utility>
#include <vector>

namespace Framework {

class Ctrl : public Lockable {
public:
    Ctrl(int x, int y, int conditionIndex, Paramset* conditionSet, Paramset& paramset, int index);

    // The condition rule first; otherwise a change of the bound parameter of
    // the bound set redraws the control.
    bool valueChanged(Igui& gui, bool& visible, int& index, Paramset* paramset) override;
    // The parameter's real value with two decimals, then its units if any.
    std::string describe() override;
    // "Label: text", the label given or else the parameter's name, the text
    // as the host shows it with its units; nothing for a parameter without
    // a name.
    std::string hint() override;
    // The name a hint gives the control, and the words it uses for the
    // parameter's steps (its real value truncated) instead of the host's
    // text: none keeps the host's.
    void setHintLabel(const std::string& label, std::vector<std::string> steps = {})
    {
        hintLabel = label;
        hintSteps = std::move(steps);
    }
    void mouseAction(Igui&, bool&, Mouseevent&) override {}
    // Writes the parameter's values at the press into the Gui's binding and
    // tells the parameter set that a gesture begins.
    void press(Igui& gui, bool& visible, Mouseevent& event) override;
    // The gesture ends for the host.
    void release() override;

    Paramset& paramset; // not owned
    const int index;

protected:
    // The parameters a press begins to edit: the bound one.
    virtual void beginEdit();

private:
    std::string hintLabel;
    std::vector<std::string> hintSteps;
};

} // namespace Framework
