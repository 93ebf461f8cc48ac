// The visual and gestural half of a parameter control: it draws a
// parameter's value and turns mouse events into new values. The owning
// control passes the position, the parameter and the event on every call, so
// one widget may serve several controls.
#pragma once

#include "igui.h"
#include "resource.h"

namespace Framework {

class Window;

class Widget : public Resource {
public:
    Widget(int width, int height) : width(width), height(height) {}

    // Caches the parameter's values; the control calls it at each press.
    virtual void sync(Paramset& paramset, int& index);
    // A mouse event for the control at (x, y) while it holds the mouse.
    virtual void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) = 0;
    // A wheel turn over the widget at (x, y); true when it changed anything.
    // Widgets without a value to step ignore it.
    virtual bool wheel(Window& /*surface*/, int& /*x*/, int& /*y*/, Binding& /*binding*/, Wheelevent& /*event*/)
    {
        return false;
    }
    // The pointer moved over the control at (x, y), or just left it, with
    // no button held; the event tells where it is now.
    virtual void hover(Window& /*surface*/, int& /*x*/, int& /*y*/, Binding& /*binding*/, Mouseevent& /*event*/) {}
    // Draws the bound parameter's current value at (x, y); state is 0 idle,
    // 1 the control has the pointer, 2 it holds the mouse.
    virtual void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) = 0;

    // Gesture state: the values cached at the last press (sync). A widget is
    // shared by the controls that show it, so this, and any other state a
    // widget keeps between events, belongs to the one control that holds the
    // mouse; that is safe because only one control can hold it at a time.
    double normalized = 0.0;
    double value = 0.0;
    const int width;
    const int height;

protected:
    // v limited to 0..1.
    static double unitClamped(double v);
    // A wheel turn as a small drag: a hundredth of the normalized range per
    // notch, a tenth of that with Shift, held to the range.
    static bool stepNormalized(Binding& binding, const Wheelevent& event);
    // A wheel turn through a list of choices: the next or the previous one
    // per notch, held to the first and the last.
    static bool stepChoice(Binding& binding, const Wheelevent& event);
    // A left press flips the bound parameter, judged by its value at the press.
    static void toggle(Binding& binding, const Mouseevent& event);
};

} // namespace Framework
