// A popup menu of the editor: string items, each with an optional action,
// separators and nested submenus. The window hands the position of a chosen
// item to the menu that holds it (select); prepare runs right before the
// menu shows. The platform's menu lives in a private native part.
//
// Threads: built on the thread that constructs the plug-in, used only on the
// editor window's thread.
#pragma once

#include "action.h"

#include <memory>
#include <string>
#include <vector>

namespace Framework {

class Window;

class Systemmenu {
public:
    // Without check marks the menu keeps no room for them.
    Systemmenu(std::string title, bool checkMarks);
    virtual ~Systemmenu();
    Systemmenu(const Systemmenu&) = delete;
    Systemmenu& operator=(const Systemmenu&) = delete;

    // Appends a string item; a null action makes an item that does nothing.
    void addItem(std::unique_ptr<Action> action, const std::string& text);
    void addSeparator();
    // Appends an item that opens submenu, under its title; owned from then on.
    void addSubmenu(std::unique_ptr<Systemmenu> submenu);

    // The item at position was chosen: its action runs, if it has one.
    virtual void select(int position);
    // Right before the menu shows: each item is enabled as its action is
    // available, then each submenu's prepare, in order.
    virtual void prepare();

    // Prepares the menu and shows it at a point of the window's client area,
    // owned by the window; returns when the menu closes. A choice arrives
    // later, through the window, as select. Nothing while the window is closed.
    void popup(Window& window, int x, int y);

    const std::string& title() const { return menuTitle; }

    // Items by position, as the platform's menu holds them.
    int itemCount() const;
    // The item's text; empty for separators and positions out of range.
    std::string itemText(int position) const;
    // The submenu the item at position opens; null for other items.
    Systemmenu* submenuAt(int position) const;
    void setChecked(int position, bool checked);
    bool isChecked(int position) const;
    // A disabled item shows greyed and cannot be chosen.
    void setEnabled(int position, bool enabled);
    bool isEnabled(int position) const;

    struct Native;
    Native& native() const { return *nativePart; }

private:
    // The platform's halves of the operations above.
    void appendString(const std::string& text);
    void appendSeparator();
    void appendSubmenu(Systemmenu& submenu);
    void show(Window& window, int x, int y);

    const std::string menuTitle;
    std::unique_ptr<Native> nativePart;
    // Destroyed after the platform's menu, actions first.
    std::vector<std::unique_ptr<Systemmenu>> submenus;
    std::vector<int> submenuPositions; // by submenu
    std::vector<std::unique_ptr<Action>> actions;
};

} // namespace Framework
