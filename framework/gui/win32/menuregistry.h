// The popup menus this module made, by handle: a WM_MENUCOMMAND may name any
// menu (a host's own, sent to our window), and only ours carry an object to
// call.
#pragma once

#include <windows.h>

namespace Framework {

class Systemmenu;

void registerMenu(HMENU handle, Systemmenu* menu);
void unregisterMenu(HMENU handle);
// The menu made with handle, or null for a menu this module did not make.
Systemmenu* madeMenu(HMENU handle);

} // namespace Framework
