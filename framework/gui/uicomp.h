// A positioned component of the editor: it draws, takes mouse events and
// hears of parameter changes, each only while it is shown. A component may
// carry a visibility condition: a parameter of a set that must be above one
// half for it to show.
#pragma once

#include "igui.h"

#include <string>

namespace Framework {

class Uicomp {
public:
    // Condition indexes that name no parameter.
    enum { noCondition = 0xFFFF, whenShown = 0xFFFE };

    Uicomp(int x, int y, int conditionIndex = noCondition, Paramset* conditionSet = nullptr);
    virtual ~Uicomp() = default;
    Uicomp(const Uicomp&) = delete;
    Uicomp& operator=(const Uicomp&) = delete;

    // Draws the component; the rectangle is the one being painted.
    virtual void draw(Igui& gui, bool& visible, int& x, int& y, int& w, int& h);
    // True when the event was consumed.
    virtual bool mouse(Igui& gui, bool& visible, Mouseevent& event);
    // A wheel turn over the component; true when it took it.
    virtual bool wheel(Igui& /*gui*/, bool& /*visible*/, Wheelevent& /*event*/) { return false; }
    // Redraws the component when its condition changed; true when it did.
    virtual bool valueChanged(Igui& gui, bool& visible, int& index, Paramset* paramset);
    virtual int width() = 0;
    // The pointer left the component, or moved on to one above it.
    virtual void pointerLeft(Igui& /*gui*/) {}
    // What the pointer resting on the component is told: its name and
    // value; nothing by default.
    virtual std::string hint() { return std::string(); }
    virtual int height() = 0;

    // Whether the component shows, given its parent's visibility.
    bool isDisplayed(Igui& gui, bool visible);
    // Asks the Gui to repaint the whole component.
    void redraw(Igui& gui);

    const int x;
    const int y;
    const int conditionIndex;
    Paramset* const conditionSet;
};

} // namespace Framework
