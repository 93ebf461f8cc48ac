#include "windowclass.h"

namespace Framework {

namespace {

// Open windows of this module; changed only on the GUI thread.
int openWindows = 0;

} // namespace

bool Windowclass::acquire(WNDPROC procedure)
{
    if (openWindows == 0) {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = module();
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = name;
        // Unregistering fails while a window of the class lives on; the class
        // left behind is ours and serves.
        if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
    }
    ++openWindows;
    return true;
}

void Windowclass::release()
{
    if (openWindows > 0 && --openWindows == 0)
        UnregisterClassA(name, module());
}

HINSTANCE Windowclass::module()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Windowclass::module), &self);
    return self;
}

} // namespace Framework
