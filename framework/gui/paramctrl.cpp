#include "paramctrl.h"

#include "widget.h"

#include "framework/plugin/paramset.h"

namespace Framework {

Paramctrl::Paramctrl(int x, int y, int conditionIndex, Paramset* conditionSet, Widget* primary, Widget* alternate,
                     Paramset& paramset, int index)
    : Ctrl(x, y, conditionIndex, conditionSet, paramset, index), primary(primary), alternate(alternate)
{
}

void Paramctrl::draw(Igui& gui, bool& visible, int&, int&, int&, int&)
{
    Widget* drawn = widget(gui, visible);
    if (!drawn)
        return;
    int state = gui.holdsMouse(this) ? 2 : gui.isFocus(this) ? 1 : 0;
    int left = x, top = y;
    drawn->draw(gui.surface(), left, top, state, bind(gui), gui.event());
}

bool Paramctrl::mouse(Igui& gui, bool& visible, Mouseevent& event)
{
    const bool handled = Ctrl::mouse(gui, visible, event);
    if (event.code != Mouse::move || gui.holdsMouse(this) || !gui.isFocus(this))
        return handled;
    if (Widget* hovered = widget(gui, visible)) {
        int left = x, top = y;
        hovered->hover(gui.surface(), left, top, bind(gui), event);
    }
    return handled;
}

void Paramctrl::pointerLeft(Igui& gui)
{
    Widget* hovered = widget(gui, true);
    if (!hovered)
        return;
    Mouseevent away = gui.event();
    away.code = Mouse::move;
    away.x = away.y = -1;
    int left = x, top = y;
    hovered->hover(gui.surface(), left, top, bind(gui), away);
}

void Paramctrl::mouseAction(Igui& gui, bool& visible, Mouseevent& event)
{
    Widget* gesture = resetting ? nullptr : widget(gui, visible);
    if (!gesture)
        return;
    int left = x, top = y;
    gesture->mouse(gui.surface(), left, top, bind(gui), event);
}

void Paramctrl::press(Igui& gui, bool& visible, Mouseevent& event)
{
    Ctrl::press(gui, visible, event);
    resetting = event.code == Mouse::leftDown && event.control && resetsOnControlClick();
    if (resetting)
        paramset.setValue(paramset.getDefault(index), index, false);
    else if (Widget* pressed = widget(gui, visible)) {
        int bound = index;
        pressed->sync(paramset, bound);
    }
}

bool Paramctrl::wheel(Igui& gui, bool& visible, Wheelevent& event)
{
    Widget* turned = widget(gui, visible);
    if (!turned || !(x < event.x && event.x < x + width() && y < event.y && event.y < y + height()))
        return false;
    int left = x, top = y;
    if (turned->wheel(gui.surface(), left, top, bind(gui), event))
        gui.wheelEdited(paramset);
    return true;
}

void Paramctrl::release()
{
    resetting = false;
    Ctrl::release();
}

int Paramctrl::width()
{
    return primary ? primary->width : 0;
}

int Paramctrl::height()
{
    return primary ? primary->height : 0;
}

Widget* Paramctrl::widget(Igui& gui, bool visible)
{
    return isDisplayed(gui, visible) ? primary : alternate;
}

Binding& Paramctrl::bind(Igui& gui)
{
    Binding& binding = gui.binding();
    binding.paramset = &paramset;
    binding.index = index;
    return binding;
}

} // namespace Framework
