// A parameter control with a menu of its own: a right press (or a right
// double click) shows the menu where the press was, and neither the widget
// nor the host hears of that press. Every other gesture is the plain
// control's.
#pragma once

#include "paramctrl.h"
#include "systemmenu.h"

#include <memory>

namespace Framework {

class Menuparamctrl : public Paramctrl {
public:
    Menuparamctrl(int x, int y, Widget* primary, Paramset& paramset, int index, std::unique_ptr<Systemmenu> menu);

    // The menu takes the mouse until it closes, so the control holds it no
    // longer.
    void mouseAction(Igui& gui, bool& visible, Mouseevent& event) override;
    void press(Igui& gui, bool& visible, Mouseevent& event) override;

    const std::unique_ptr<Systemmenu> menu;
};

} // namespace Framework
