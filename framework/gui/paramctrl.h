// A parameter control that hands drawing and gestures to a widget: the
// primary one while the control is shown, the alternate one otherwise. A
// missing widget draws nothing and ignores gestures.
#pragma once

#include "ctrl.h"

namespace Framework {

class Widget;

class Paramctrl : public Ctrl {
public:
    // primary gives the control its size (none without it); alternate may
    // be null.
    Paramctrl(int x, int y, int conditionIndex, Paramset* conditionSet, Widget* primary, Widget* alternate,
              Paramset& paramset, int index);

    // The widget draws in state 2 while the control holds the mouse, 1 while
    // it is the focus, 0 otherwise.
    void draw(Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    // As a Lockable; a move with no button held over the control also
    // reaches the widget's hover.
    bool mouse(Igui& gui, bool& visible, Mouseevent& event) override;
    // The widget's hover hears of a move to nowhere.
    void pointerLeft(Igui& gui) override;
    void mouseAction(Igui& gui, bool& visible, Mouseevent& event) override;
    // Captures the press values, then lets the widget cache them. A click
    // with Ctrl held sets the parameter to its default instead, and the
    // widget sees nothing of that gesture.
    void press(Igui& gui, bool& visible, Mouseevent& event) override;
    void release() override;
    // The widget takes a turn over the control as a small drag would, as one
    // edit for the host until the wheel rests.
    bool wheel(Igui& gui, bool& visible, Wheelevent& event) override;
    int width() override;
    int height() override;

    Widget* const primary; // not owned
    Widget* const alternate;

protected:
    // Whether a Ctrl+click resets the bound parameter here (not where the
    // widget handles it).
    virtual bool resetsOnControlClick() { return true; }

private:
    Widget* widget(Igui& gui, bool visible);
    // Points the Gui's shared binding at this control's parameter.
    Binding& bind(Igui& gui);

    // Gesture state: only the control that holds the mouse is resetting.
    bool resetting = false;
};

} // namespace Framework
