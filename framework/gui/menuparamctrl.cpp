#include "menuparamctrl.h"

#include "window.h"

namespace Framework {

namespace {

// A quick second right click arrives as a double click: it opens the menu too.
bool opensMenu(int code)
{
    return code == Mouse::rightDown || code == Mouse::rightDouble;
}

} // namespace

Menuparamctrl::Menuparamctrl(int x, int y, Widget* primary, Paramset& paramset, int index,
                             std::unique_ptr<Systemmenu> menu)
    : Paramctrl(x, y, Uicomp::noCondition, nullptr, primary, nullptr, paramset, index), menu(std::move(menu))
{
}

void Menuparamctrl::mouseAction(Igui& gui, bool& visible, Mouseevent& event)
{
    if (!opensMenu(event.code)) {
        Paramctrl::mouseAction(gui, visible, event);
        return;
    }
    menu->popup(gui.surface(), event.x, event.y);
    gui.captureOff();
}

void Menuparamctrl::press(Igui& gui, bool& visible, Mouseevent& event)
{
    if (!opensMenu(event.code))
        Paramctrl::press(gui, visible, event);
}

} // namespace Framework
