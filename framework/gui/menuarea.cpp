#include "menuarea.h"

#include "window.h"

namespace Framework {

Menuarea::Menuarea(int x, int y, int conditionIndex, Paramset* conditionSet, std::unique_ptr<Systemmenu> menu,
                   int width, int height)
    : Lockable(x, y, conditionIndex, conditionSet), menu(std::move(menu)), areaWidth(width), areaHeight(height)
{
}

void Menuarea::mouseAction(Igui& gui, bool&, Mouseevent& event)
{
    if (event.code != Mouse::leftDown)
        return;
    menu->popup(gui.surface(), event.x, event.y);
    gui.captureOff();
}

} // namespace Framework
