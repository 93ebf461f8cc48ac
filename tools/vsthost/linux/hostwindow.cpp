// The host's window on X11: a top-level window on the host's own display
// connection, as Linux hosts hand one to an editor (effEditOpen's pointer
// is its X11 Window).
#include "../hostwindow.h"

#include "hostdisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdexcept>

Display* hostDisplay()
{
    static Display* const display = [] {
        XInitThreads();
        return XOpenDisplay(nullptr);
    }();
    if (!display)
        throw std::runtime_error("cannot open the X display (is DISPLAY set? xvfb-run gives one)");
    return display;
}

Hostwindow::Hostwindow(int width, int height, const char* title)
{
    Display* display = hostDisplay();
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display, screen);
    // Without a window manager's decoration: a virtual X server has none.
    attributes.override_redirect = True;
    hwnd = XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                         CWBackPixel | CWOverrideRedirect, &attributes);
    if (!hwnd)
        throw std::runtime_error("cannot create the host window");
    XStoreName(display, hwnd, title);
    XMapRaised(display, hwnd);
    XSync(display, False);
}

Hostwindow::~Hostwindow()
{
    Display* display = hostDisplay();
    XDestroyWindow(display, hwnd);
    XSync(display, False);
}

Nativewindow Hostwindow::child() const
{
    Display* display = hostDisplay();
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Nativewindow first = 0;
    if (XQueryTree(display, hwnd, &root, &parent, &children, &count) && count > 0)
        first = children[0];
    if (children)
        XFree(children);
    return first;
}

void Hostwindow::pump(int most)
{
    // The editor runs its window on a connection and thread of its own; the
    // host's connection only has its own window's events, which it drops.
    Display* display = hostDisplay();
    for (int i = 0; i < most && XPending(display); ++i) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
