// A top-level window of a given client size, shown, as a host makes for an
// effect's editor to live in.
#pragma once

#include <windows.h>

class Hostwindow {
public:
    // Throws std::runtime_error when the window cannot be made.
    Hostwindow(int width, int height, const char* title = "vsthost");
    ~Hostwindow();
    Hostwindow(const Hostwindow&) = delete;
    Hostwindow& operator=(const Hostwindow&) = delete;

    HWND handle() const { return hwnd; }
    // The first child window (the editor), or null.
    HWND child() const { return GetWindow(hwnd, GW_CHILD); }

    // Dispatches the messages waiting for this thread, paints included, up to
    // a number: other threads' redraw requests may keep them coming.
    static void pump(int most = 1000);

private:
    HWND hwnd = nullptr;
};
