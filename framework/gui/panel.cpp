#include "panel.h"

namespace Framework {

Panel::Panel(int x, int y, int conditionIndex, Paramset* conditionSet, int width, int height)
    : Clickable(x, y, conditionIndex, conditionSet), panelWidth(width), panelHeight(height)
{
}

void Panel::draw(Igui& gui, bool& visible, int& left, int& top, int& w, int& h)
{
    if (!isDisplayed(gui, visible))
        return;
    if (left < x || left + w > x + panelWidth || top < y || top + h > y + panelHeight)
        return;
    bool shown = true;
    for (const auto& child : children)
        if (child->isDisplayed(gui, true))
            child->draw(gui, shown, left, top, w, h);
}

// Inside the panel, the event goes to the shown children, topmost first,
// until one takes it; nothing beneath the panel sees it.
template <class Event, class Take> bool Panel::route(Igui& gui, bool& visible, Event& event, Take take)
{
    if (!isDisplayed(gui, visible) ||
        !(x < event.x && event.x < x + panelWidth && y < event.y && event.y < y + panelHeight))
        return false;
    bool shown = true;
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        if ((*child)->isDisplayed(gui, true) && take(**child, shown))
            break;
    return true;
}

bool Panel::mouse(Igui& gui, bool& visible, Mouseevent& event)
{
    return route(gui, visible, event, [&](Uicomp& child, bool& shown) { return child.mouse(gui, shown, event); });
}

bool Panel::wheel(Igui& gui, bool& visible, Wheelevent& event)
{
    return route(gui, visible, event, [&](Uicomp& child, bool& shown) { return child.wheel(gui, shown, event); });
}

bool Panel::valueChanged(Igui& gui, bool& visible, int& index, Paramset* paramset)
{
    if (Uicomp::valueChanged(gui, visible, index, paramset))
        return true;
    if (isDisplayed(gui, visible)) {
        bool shown = true;
        for (const auto& child : children)
            child->valueChanged(gui, shown, index, paramset);
    }
    return false;
}

} // namespace Framework
