// Popup menus without a window system, as tests and tools drive them: popup
// records the menu as shown and returns at once; the test then chooses an
// item or dismisses the menu, as the user would.
#pragma once

#include "framework/gui/systemmenu.h"

namespace Framework::Headless {

// The menu shown last and not yet closed, its owner and the point of the
// owner's client area it was shown at; menu is null when none is shown.
struct Shownmenu {
    Systemmenu* menu = nullptr;
    Window* owner = nullptr;
    int x = 0;
    int y = 0;
};
Shownmenu shownMenu();

// Chooses the item at position of menu, the shown menu or one of its
// submenus: the menu closes and the choice reaches menu's select, as the
// window's menu command does. False, choosing nothing, when menu is not
// shown or the position holds no item or a disabled one.
bool choose(Systemmenu& menu, int position);
// Closes the shown menu without a choice.
void dismiss();

} // namespace Framework::Headless
