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

bool Panel::mouse(Igui& gui, bool& visible, Mouseevent& event)
{
    if (!isDisplayed(gui, visible))
        return false;
    if (!(x < event.x && event.x < x + panelWidth && y < event.y && event.y < y + panelHeight))
        return false;
    bool shown = true;
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        if ((*child)->isDisplayed(gui, true) && (*child)->mouse(gui, shown, event))
            break;
    return true;
}

bool Panel::wheel(Igui& gui, bool& visible, Wheelevent& event)
{
    if (!isDisplayed(gui, visible) ||
        !(x < event.x && event.x < x + panelWidth && y < event.y && event.y < y + panelHeight))
        return false;
    bool shown = true;
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        if ((*child)->isDisplayed(gui, true) && (*child)->wheel(gui, shown, event))
            break;
    return true;
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
