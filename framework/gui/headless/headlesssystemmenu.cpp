// Popup menus without a window system: items kept in a list, the shown menu
// in a record that tests read through menuchoices.h.
#include "menuchoices.h"

#include "framework/gui/window.h"

#include <vector>

namespace Framework {

struct Systemmenu::Native {
    struct Item {
        std::string text;
        bool checked = false;
        bool enabled = true;
    };
    std::vector<Item> items;
    // The menu this one opens from, if it is a submenu.
    Systemmenu* parent = nullptr;
};

namespace {

// Menus live on the window's thread only.
Headless::Shownmenu shown;

bool within(const Systemmenu* menu, const Systemmenu* top)
{
    for (; menu; menu = menu->native().parent)
        if (menu == top)
            return true;
    return false;
}

} // namespace

// Check marks only change how the platform's menu looks.
Systemmenu::Systemmenu(std::string title, bool) : menuTitle(std::move(title)), nativePart(new Native) {}

Systemmenu::~Systemmenu()
{
    if (within(shown.menu, this))
        shown = {};
}

void Systemmenu::appendString(const std::string& text)
{
    nativePart->items.push_back({text, false, true});
}

void Systemmenu::appendSeparator()
{
    nativePart->items.push_back({});
}

void Systemmenu::appendSubmenu(Systemmenu& submenu)
{
    submenu.nativePart->parent = this;
    nativePart->items.push_back({submenu.title(), false, true});
}

void Systemmenu::show(Window& window, int x, int y)
{
    if (window.handle())
        shown = {this, &window, x, y};
}

int Systemmenu::itemCount() const
{
    return static_cast<int>(nativePart->items.size());
}

std::string Systemmenu::itemText(int position) const
{
    return position >= 0 && position < itemCount() ? nativePart->items[position].text : std::string();
}

void Systemmenu::setChecked(int position, bool checked)
{
    if (position >= 0 && position < itemCount())
        nativePart->items[position].checked = checked;
}

bool Systemmenu::isChecked(int position) const
{
    return position >= 0 && position < itemCount() && nativePart->items[position].checked;
}

void Systemmenu::setEnabled(int position, bool enabled)
{
    if (position >= 0 && position < itemCount())
        nativePart->items[position].enabled = enabled;
}

bool Systemmenu::isEnabled(int position) const
{
    return position >= 0 && position < itemCount() && nativePart->items[position].enabled;
}

namespace Headless {

Shownmenu shownMenu()
{
    return shown;
}

bool choose(Systemmenu& menu, int position)
{
    if (!shown.menu || !within(&menu, shown.menu) || !menu.isEnabled(position))
        return false;
    shown = {};
    menu.select(position);
    return true;
}

void dismiss()
{
    shown = {};
}

} // namespace Headless
} // namespace Framework
