#include "window.h"

namespace Framework {

// Every open starts from a closed window and the fill colour white.
bool Window::open(void* parent)
{
    close();
    if (!parent)
        return false;
    fillColour = 0xFFFFFFFF;
    return openNative(parent);
}

// A press takes the system's capture and a release gives it back; a double
// click takes none and leaves no button held, so the moves after it are
// plain moves.
void Window::mouseMessage(Mousemessage message, int x, int y, bool shift)
{
    int code = 0;
    switch (message) {
    case Mousemessage::move:
        code = mouseState == 0 ? 7 : mouseState == 1 ? 8 : 0;
        break;
    case Mousemessage::leftDown:
        captureMouse();
        mouseState = 0;
        code = 1;
        break;
    case Mousemessage::rightDown:
        captureMouse();
        mouseState = 1;
        code = 2;
        break;
    case Mousemessage::leftUp:
        code = 3;
        break;
    case Mousemessage::rightUp:
        code = 4;
        break;
    case Mousemessage::leftDouble:
        code = 5;
        break;
    case Mousemessage::rightDouble:
        code = 6;
        break;
    }
    mouse(code, x, y, shift);
    if (code >= 3 && code <= 6)
        mouseState = 3;
    if (code == 3 || code == 4)
        releaseMouse();
}

} // namespace Framework
