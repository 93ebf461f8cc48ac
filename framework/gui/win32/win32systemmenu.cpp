// Popup menus on Windows: one HMENU per menu, registered with its object so
// that the window procedure's WM_MENUCOMMAND finds it.
#include "framework/gui/systemmenu.h"

#include "menuregistry.h"

#include "framework/gui/window.h"

#include <windows.h>

namespace Framework {

struct Systemmenu::Native {
    HMENU menu = nullptr;
    // A submenu's handle is destroyed with the menu it is attached to.
    bool attached = false;
};

Systemmenu::Systemmenu(std::string title, bool checkMarks) : menuTitle(std::move(title)), nativePart(new Native)
{
    nativePart->menu = CreatePopupMenu();
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    info.dwStyle = checkMarks ? MNS_NOTIFYBYPOS : MNS_NOCHECK | MNS_NOTIFYBYPOS;
    SetMenuInfo(nativePart->menu, &info);
    if (nativePart->menu)
        registerMenu(nativePart->menu, this);
}

Systemmenu::~Systemmenu()
{
    if (nativePart->menu)
        unregisterMenu(nativePart->menu);
    if (nativePart->menu && !nativePart->attached)
        DestroyMenu(nativePart->menu);
}

void Systemmenu::appendString(const std::string& text)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.dwTypeData = const_cast<char*>(text.c_str());
    item.cch = static_cast<UINT>(text.size());
    InsertMenuItemA(nativePart->menu, static_cast<UINT>(GetMenuItemCount(nativePart->menu)), TRUE, &item);
}

void Systemmenu::appendSeparator()
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_SEPARATOR;
    InsertMenuItemA(nativePart->menu, static_cast<UINT>(GetMenuItemCount(nativePart->menu)), TRUE, &item);
}

void Systemmenu::appendSubmenu(Systemmenu& submenu)
{
    if (InsertMenuA(nativePart->menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(submenu.nativePart->menu), submenu.title().c_str()))
        submenu.nativePart->attached = true;
}

void Systemmenu::show(Window& window, int x, int y)
{
    HWND owner = static_cast<HWND>(window.handle());
    if (!owner)
        return;
    POINT point = {window.toDevice(x), window.toDevice(y)};
    ClientToScreen(owner, &point);
    TrackPopupMenu(nativePart->menu, TPM_LEFTBUTTON, point.x, point.y, 0, owner, nullptr);
}

int Systemmenu::itemCount() const
{
    const int count = GetMenuItemCount(nativePart->menu);
    return count > 0 ? count : 0;
}

// Asked once for the length, then for the text.
std::string Systemmenu::itemText(int position) const
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    if (!GetMenuItemInfoA(nativePart->menu, static_cast<UINT>(position), TRUE, &item) || item.cch == 0)
        return std::string();
    std::string text(item.cch + 1, '\0');
    item.dwTypeData = &text[0];
    item.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoA(nativePart->menu, static_cast<UINT>(position), TRUE, &item))
        return std::string();
    text.resize(item.cch);
    return text;
}

void Systemmenu::setChecked(int position, bool checked)
{
    CheckMenuItem(nativePart->menu, static_cast<UINT>(position), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Systemmenu::setEnabled(int position, bool enabled)
{
    EnableMenuItem(nativePart->menu, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Systemmenu::isEnabled(int position) const
{
    const UINT state = GetMenuState(nativePart->menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool Systemmenu::isChecked(int position) const
{
    const UINT state = GetMenuState(nativePart->menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

} // namespace Framework
