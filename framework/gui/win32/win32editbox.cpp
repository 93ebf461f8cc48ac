// The edit box on Windows: an "edit" child window of the editor window with
// a font of its own, subclassed so that Enter hands the text to the owner
// or Escape reaches the owner, and the box's destruction with its parent is noticed.
#include "framework/gui/editbox.h"

#include "framework/gui/window.h"
#include "windowclass.h"

#include <windows.h>

#include <vector>

namespace Framework {

struct Editbox::Native {
    // Null once the box is destroyed, by its owner or with its parent.
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    Owner* owner = nullptr;
    int textLimit = 0;

    void deleteFont()
    {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
};

namespace {

// The edit class's own procedure, the same for every box of the process.
WNDPROC editProcedure = nullptr;

LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* n = reinterpret_cast<Editbox::Native*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_GETDLGCODE:
        // A host's dialog manager passes every key, Enter included.
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && n) {
            std::vector<char> text(static_cast<std::size_t>(n->textLimit > 0 ? n->textLimit : 0) + 1);
            const int length = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
            // The owner may destroy the box and its record here.
            n->owner->entered(std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0)));
            return 0;
        }
        if (wParam == VK_ESCAPE && n) {
            n->owner->escaped();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        if (n) {
            // Destroyed with the parent window: the record stays with the owner.
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            n->hwnd = nullptr;
            const LRESULT result = CallWindowProcA(editProcedure, hwnd, message, wParam, lParam);
            n->deleteFont();
            n->owner->lost();
            return result;
        }
        break;
    }
    return CallWindowProcA(editProcedure, hwnd, message, wParam, lParam);
}

// No exception may unwind into the system's message loop.
LRESULT CALLBACK entryProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return handleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace

Editbox::Editbox(Window& parent, const Layout& layout, const std::string& text, Owner& owner) : nativePart(new Native)
{
    Native& n = *nativePart;
    n.owner = &owner;
    n.textLimit = layout.textLimit;
    HWND parentWindow = static_cast<HWND>(parent.handle());
    if (!parentWindow)
        return;
    // The layout's box at the window's scale.
    const int left = parent.toDevice(layout.x), top = parent.toDevice(layout.y);
    HWND hwnd = CreateWindowExA(0, "edit", "1.0", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_CENTER, left, top,
                                parent.toDevice(layout.x + layout.width) - left,
                                parent.toDevice(layout.y + layout.height) - top, parentWindow, nullptr,
                                Windowclass::module(), nullptr);
    if (!hwnd)
        return;
    n.hwnd = hwnd;
    n.font = CreateFontA(parent.toDevice(layout.fontHeight), 0, 0, 0, 100, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                         0, FF_MODERN, "verdana");
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&n));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(n.font), TRUE);
    SendMessageA(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    // The text before the selection, which setting a text would undo.
    SetWindowTextA(hwnd, text.c_str());
    SendMessageA(hwnd, EM_SETSEL, 0, -1);
    SendMessageA(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(layout.textLimit), 0);
    SetFocus(hwnd);
    editProcedure =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&entryProcedure)));
}

Editbox::~Editbox()
{
    Native& n = *nativePart;
    if (n.hwnd) {
        // Closed by its owner: no call back to it.
        SetWindowLongPtrA(n.hwnd, GWLP_USERDATA, 0);
        DestroyWindow(n.hwnd);
    }
    n.deleteFont();
}

bool Editbox::isOpen() const
{
    return nativePart->hwnd != nullptr;
}

} // namespace Framework
