#include "systemmenu.h"

namespace Framework {

void Systemmenu::addItem(std::unique_ptr<Action> action, const std::string& text)
{
    appendString(text);
    actions.push_back(std::move(action));
}

void Systemmenu::addSeparator()
{
    appendSeparator();
    actions.push_back(nullptr);
}

void Systemmenu::addSubmenu(std::unique_ptr<Systemmenu> submenu)
{
    if (!submenu)
        return;
    appendSubmenu(*submenu);
    submenuPositions.push_back(static_cast<int>(actions.size()));
    actions.push_back(nullptr);
    submenus.push_back(std::move(submenu));
}

Systemmenu* Systemmenu::submenuAt(int position) const
{
    for (std::size_t i = 0; i < submenus.size(); ++i)
        if (submenuPositions[i] == position)
            return submenus[i].get();
    return nullptr;
}

void Systemmenu::select(int position)
{
    if (position >= 0 && position < static_cast<int>(actions.size()) && actions[position])
        actions[position]->execute();
}

void Systemmenu::prepare()
{
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i])
            setEnabled(static_cast<int>(i), actions[i]->available());
    for (const auto& submenu : submenus)
        submenu->prepare();
}

void Systemmenu::popup(Window& window, int x, int y)
{
    prepare();
    show(window, x, y);
}

} // namespace Framework
