#include "hostwindow.h"

#include <stdexcept>

namespace {

const char* const className = "vsthostwindow";

void registerClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass); // a second registration fails harmlessly
}

} // namespace

Hostwindow::Hostwindow(int width, int height, const char* title)
{
    registerClass();
    // Without a caption and shown without activation: Wine then does not wait
    // for a window manager, which a virtual X server lacks, when it goes.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    hwnd = CreateWindowExA(0, className, title, style, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        throw std::runtime_error("cannot create the host window (error " + std::to_string(GetLastError()) + ")");
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
}

Hostwindow::~Hostwindow()
{
    DestroyWindow(hwnd);
    pump();
}

HWND Hostwindow::child() const
{
    return GetWindow(hwnd, GW_CHILD);
}

void Hostwindow::pump(int most)
{
    MSG message;
    for (int i = 0; i < most && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
