#include "lockable.h"

namespace Framework {

bool Lockable::mouse(Igui& gui, bool& visible, Mouseevent& event)
{
    bool handled = false;
    if (x < event.x && event.x < x + width() && y < event.y && event.y < y + height()) {
        handled = true;
        if (!gui.isFocus(this)) {
            gui.setFocus(this);
            redraw(gui);
        }
        if (Mouse::isPress(event.code)) {
            gui.setAnchor(event.x, event.y);
            gui.captureOn();
            press(gui, visible, event);
        }
    } else if (gui.isFocus(this) && !gui.holdsMouse(this)) {
        // Leaving answers true so that the component under the pointer
        // takes the focus at the next event; the old focus is not redrawn.
        gui.setFocus(nullptr);
        handled = true;
    }
    if (gui.holdsMouse(this)) {
        mouseAction(gui, visible, event);
        handled = true;
        if (Mouse::isRelease(event.code)) {
            gui.captureOff();
            release();
        }
    }
    return handled;
}

} // namespace Framework
