#include "menuchooser.h"

namespace {

Menuchooser* active = nullptr;

// Ticks of 20 ms after which the chooser ends a menu still tracking.
constexpr int deadlineTicks = 150;

std::string itemText(HMENU menu, int position)
{
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool isSeparator(HMENU menu, int position)
{
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

} // namespace

Menuchooser::Menuchooser(std::vector<std::string> path) : path(std::move(path))
{
    active = this;
    timer = SetTimer(nullptr, 0, 20, tick);
}

Menuchooser::~Menuchooser()
{
    KillTimer(nullptr, timer);
    active = nullptr;
}

// Down selects the first item and moves on past separators; Right opens a
// submenu with its first item selected; Enter chooses.
void Menuchooser::plan(HMENU menu)
{
    pathFound = true;
    for (std::size_t level = 0; level < path.size() && menu; ++level) {
        const int count = GetMenuItemCount(menu);
        int position = -1, steps = 0;
        for (int p = 0; p < count; ++p) {
            if (GetMenuState(menu, static_cast<UINT>(p), MF_BYPOSITION) & MF_CHECKED)
                checkedTexts.push_back(itemText(menu, p));
            if (position < 0 && itemText(menu, p) == path[level])
                position = p;
            else if (position < 0 && !isSeparator(menu, p))
                ++steps;
        }
        if (position < 0) {
            pathFound = false;
            return;
        }
        if (level == 0)
            keys.push_back(VK_DOWN);
        keys.insert(keys.end(), static_cast<std::size_t>(steps), VK_DOWN);
        const bool last = level + 1 == path.size();
        keys.push_back(last ? VK_RETURN : VK_RIGHT);
        menu = last ? nullptr : GetSubMenu(menu, position);
    }
}

void CALLBACK Menuchooser::tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!active)
        return;
    Menuchooser& c = *active;
    HWND menuWindow = FindWindowA("#32768", nullptr);
    const bool tracking = menuWindow && IsWindowVisible(menuWindow);
    if (++c.ticks > deadlineTicks) {
        if (tracking) {
            c.deadline = true;
            EndMenu();
        }
    } else if (tracking && !c.planned) {
        c.planned = true;
        c.plan(reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)));
        if (!c.pathFound)
            EndMenu();
    } else if (tracking && c.sent < c.keys.size()) {
        PostMessageA(menuWindow, WM_KEYDOWN, c.keys[c.sent++], 0);
    }
}
