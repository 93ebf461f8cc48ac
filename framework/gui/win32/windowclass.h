// The editor's window class "fmwkwindow", registered for this module only:
// another copy of the DLL in the same process registers its own, so neither
// runs the other's window procedure nor unregisters the other's class.
#pragma once

#include <windows.h>

namespace Framework {

class Windowclass {
public:
    static constexpr const char* name = "fmwkwindow";

    // A window of this module is about to open: registers the class with
    // procedure for the first one. False when the class cannot be had.
    static bool acquire(WNDPROC procedure);
    // A window of this module has closed: unregisters the class after the
    // last one. GUI thread only, as acquire.
    static void release();

    // The module (DLL or executable) that holds this code.
    static HINSTANCE module();
};

} // namespace Framework
