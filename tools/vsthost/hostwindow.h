// A top-level window of a given client size, shown, as a host makes for an
// effect's editor to live in.
#pragma once

#if defined(_WIN32)
#include <windows.h>
using Nativewindow = HWND;
#else
using Nativewindow = unsigned long; // an X11 Window, on the host's own display connection
#endif

class Hostwindow {
public:
    // Throws std::runtime_error when the window cannot be made.
    Hostwindow(int width, int height, const char* title = "vsthost");
    ~Hostwindow();
    Hostwindow(const Hostwindow&) = delete;
    Hostwindow& operator=(const Hostwindow&) = delete;

    Nativewindow handle() const { return hwnd; }
    // The first child window (the editor), or null.
    Nativewindow child() const;

    // Dispatches the messages waiting for this thread, paints included, up to
    // a number: other threads' redraw requests may keep them coming.
    static void pump(int most = 1000);

private:
    Nativewindow hwnd{};
};
