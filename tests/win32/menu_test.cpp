// Popup menus on Windows, the window back end linked in directly: a real
// menu shown over an editor window in a host's window, driven from a timer
// while it tracks (a modal loop that never returns on its own), choices
// arriving through the window procedure, and menu handles over many menus.
#include "framework/gui/systemmenu.h"
#include "framework/gui/window.h"

#include "tools/vsthost/hostwindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Framework::Action;
using Framework::Systemmenu;

namespace {

// An editor window that draws nothing and takes no mouse.
class Blankwindow : public Framework::Window {
public:
    Blankwindow() : Window(200, 100) {}
    void paint(int&, int&, int&, int&) override {}
    void mouse(int&, int&, int&, bool&) override {}
};

// A menu that records the positions chosen in it.
class Recordingmenu : public Systemmenu {
public:
    using Systemmenu::Systemmenu;
    void select(int position) override
    {
        chosen.push_back(position);
        Systemmenu::select(position);
    }
    std::vector<int> chosen;
};

class Counting : public Action {
public:
    explicit Counting(int& runs) : runs(runs) {}
    void execute() override { ++runs; }
    int& runs;
};

// What the timer does to the tracking menu: one key a tick, then the end of
// the menu when told to, or after a deadline so that no test can hang.
struct Script {
    std::vector<WPARAM> keys;
    bool endAfterKeys = false;
    std::size_t sent = 0;
    int ticks = 0;
    bool sawMenu = false;
    bool deadline = false;
};
Script* script = nullptr;

void CALLBACK drive(HWND, UINT, UINT_PTR, DWORD)
{
    Script& s = *script;
    ++s.ticks;
    HWND menuWindow = FindWindowA("#32768", nullptr);
    const bool tracking = menuWindow && IsWindowVisible(menuWindow);
    s.sawMenu = s.sawMenu || tracking;
    if (s.ticks > 150) {
        s.deadline = true;
        EndMenu();
    } else if (tracking && s.sent < s.keys.size()) {
        PostMessageA(menuWindow, WM_KEYDOWN, s.keys[s.sent++], 0);
    } else if (tracking && s.endAfterKeys) {
        EndMenu();
    }
}

// Shows menu over the window at (10, 10) with the script driving it, then
// delivers what the menu posted.
void track(Systemmenu& menu, Framework::Window& window, Script& s)
{
    script = &s;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, drive);
    ASSERT_NE(timer, 0u);
    menu.popup(window, 10, 10);
    KillTimer(nullptr, timer);
    script = nullptr;
    Hostwindow::pump();
}

struct Win32menu : testing::Test {
    Hostwindow host{200, 100};
    Blankwindow window;
    int runs[2] = {0, 0};
    Recordingmenu* skins = nullptr;
    std::unique_ptr<Recordingmenu> options;

    // "Options": a "Skin" submenu with two items, two counting items.
    void SetUp() override
    {
        ASSERT_TRUE(window.open(host.handle()));
        options = std::make_unique<Recordingmenu>("Options", false);
        auto skinMenu = std::make_unique<Recordingmenu>("Skin", true);
        skinMenu->addItem(nullptr, "Blue");
        skinMenu->addItem(nullptr, "Red");
        skins = skinMenu.get();
        options->addSubmenu(std::move(skinMenu));
        options->addItem(std::make_unique<Counting>(runs[0]), "First");
        options->addSeparator();
        options->addItem(std::make_unique<Counting>(runs[1]), "Second");
    }
};

// How many more popup menus this process can make: one fewer for every
// menu handle left behind. Wine answers GetGuiResources with 0.
std::size_t creatableMenus()
{
    std::vector<HMENU> probes;
    while (probes.size() < 200000)
        if (HMENU probe = CreatePopupMenu())
            probes.push_back(probe);
        else
            break;
    for (HMENU probe : probes)
        DestroyMenu(probe);
    return probes.size();
}

} // namespace

// Items, texts and check marks as the platform's menus hold them.
TEST_F(Win32menu, ItemsTextsAndCheckMarks)
{
    ASSERT_EQ(options->itemCount(), 4);
    const std::vector<std::string> texts = {"Skin", "First", "", "Second"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(options->itemText(i), texts[i]) << i;
    EXPECT_EQ(options->itemText(9), "");
    skins->setChecked(1, true);
    EXPECT_FALSE(skins->isChecked(0));
    EXPECT_TRUE(skins->isChecked(1));
    skins->setChecked(1, false);
    EXPECT_FALSE(skins->isChecked(1));
    EXPECT_FALSE(skins->isChecked(5));
}

// A menu closed without a choice returns from popup and changes nothing.
TEST_F(Win32menu, DismissedMenuChangesNothing)
{
    Script s;
    s.endAfterKeys = true;
    track(*options, window, s);
    EXPECT_TRUE(s.sawMenu) << "the menu tracked";
    EXPECT_FALSE(s.deadline);
    EXPECT_TRUE(options->chosen.empty());
    EXPECT_TRUE(skins->chosen.empty());
    EXPECT_EQ(runs[0] + runs[1], 0);
}

// A chosen item arrives as the menu command of the menu that holds it, by
// position, and runs its action; an item of the submenu reaches the
// submenu. Separators are skipped by the keyboard.
TEST_F(Win32menu, ChosenItemsReachTheirMenus)
{
    Script second;
    second.keys = {VK_UP, VK_RETURN};
    track(*options, window, second);
    EXPECT_FALSE(second.deadline);
    EXPECT_EQ(options->chosen, std::vector<int>{3});
    EXPECT_EQ(runs[1], 1);
    EXPECT_EQ(runs[0], 0);

    Script skin;
    skin.keys = {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN};
    track(*options, window, skin);
    EXPECT_FALSE(skin.deadline);
    EXPECT_EQ(skins->chosen, std::vector<int>{1});
    EXPECT_EQ(options->chosen, std::vector<int>{3}) << "nothing more for the options menu";
}

// A menu command for a menu the editor did not make (a host's own, with
// menu data of its own) is ignored; the editor's menus still work after it.
TEST_F(Win32menu, OnlyTheEditorsOwnMenusAreActedOn)
{
    HMENU foreign = CreatePopupMenu();
    AppendMenuA(foreign, MF_STRING, 1, "Host item");
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = 0x12345678; // what the host keeps there, not an object of ours
    SetMenuInfo(foreign, &info);
    HWND editor = static_cast<HWND>(window.handle());
    SendMessageA(editor, WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(foreign));
    DestroyMenu(foreign);
    EXPECT_TRUE(options->chosen.empty());

    Script second;
    second.keys = {VK_UP, VK_RETURN};
    track(*options, window, second);
    EXPECT_EQ(options->chosen, std::vector<int>{3});
}

// Creating and destroying many menus with submenus leaves no menu handle
// behind, and destroying a menu with its submenus destroys nothing twice.
TEST_F(Win32menu, NoHandlesLeftBehind)
{
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const std::size_t before = creatableMenus();
    for (int round = 0; round < 500; ++round) {
        Systemmenu outer("Outer", round % 2 == 0);
        auto inner = std::make_unique<Systemmenu>("Inner", true);
        inner->addSubmenu(std::make_unique<Systemmenu>("Innermost", false));
        inner->addItem(nullptr, "Item");
        outer.addSubmenu(std::move(inner));
        outer.addSeparator();
        outer.prepare();
    }
    EXPECT_EQ(creatableMenus(), before);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
}
