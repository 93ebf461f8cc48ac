// Popup menus in a Gui over the headless window, driven by window messages:
// a press on a menu area shows its menu with the skin check marks
// recomputed, and choices reach the actions and the skin menu as the
// window's menu command would deliver them.
#include "framework/gui/gui.h"
#include "framework/gui/menuarea.h"
#include "framework/gui/setparameteraction.h"
#include "framework/gui/skinlistener.h"
#include "framework/gui/skinmenu.h"

#include "framework/gui/headless/screen.h"
#include "framework/gui/headless/menuchoices.h"
#include "framework/plugin/paramset.h"
#include "framework/plugin/settingsfile.h"
#include "canvas.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace Framework;

namespace {

using M = Window::Mousemessage;

// Parameters that record every change made through them.
class Params : public Paramset {
public:
    double getNormalized(int index) override { return values[index]; }
    void setNormalized(double value, int index, bool) override
    {
        values[index] = value;
        ++changes;
    }
    std::map<int, double> values;
    int changes = 0;
};

// An action that counts its runs.
class Counting : public Action {
public:
    explicit Counting(int& runs) : runs(runs) {}
    void execute() override { ++runs; }
    int& runs;
};

struct Listener final : Skinlistener {
    void skinChanged(const std::string& folder) override { folders.push_back(folder); }
    std::vector<std::string> folders;
};

// An editor of 200 x 100 whose root holds a menu area at (50, 60), 38 x 20,
// with an options menu: the skins, a counting item, a separator, "About".
struct Menus : testing::Test {
    Tempfolder dir;
    Settingsfile settings{dir.file("Vexatone.ini")};
    Gui gui{settings, 200, 100};
    Params uistate;
    Listener listener;
    Skinbitmap* knob = nullptr;
    int bankPathRuns = 0;
    Menuarea* area = nullptr;
    Systemmenu* options = nullptr;
    Skinmenu* skins = nullptr;

    void SetUp() override
    {
        settings.add("skin", "Red");
        knob = gui.addBitmap("knob.png");
        gui.addSkinListener(&listener);
        for (const char* skin : {"Blue", "blue"})
            std::filesystem::create_directories(dir.file("skins/") + skin);
        writePng(dir.file("skins/Blue/knob.png"), 34, 34, [](int, int) { return 0u; });
        writePng(dir.file("skins/blue/knob.png"), 20, 16, [](int, int) { return 0u; });
        dir.write("skins/notes.txt", "not a skin");
    }
    void TearDown() override { Headless::dismiss(); }

    // Builds the tree; the skins are listed now, as at plug-in construction.
    void build()
    {
        auto menu = std::make_unique<Systemmenu>("Options", false);
        auto skinMenu = std::make_unique<Skinmenu>("Skin", dir.file("skins"), settings, gui);
        skins = skinMenu.get();
        menu->addSubmenu(std::move(skinMenu));
        menu->addItem(std::make_unique<Counting>(bankPathRuns), "Default bank path");
        menu->addSeparator();
        menu->addItem(std::make_unique<Setparameteraction>(uistate, 666, 1.0), "About");
        options = menu.get();
        area =
            gui.root().add(std::make_unique<Menuarea>(50, 60, Uicomp::noCondition, nullptr, std::move(menu), 38, 20));
        ASSERT_TRUE(gui.open(Headless::parentWindow()));
        listener.folders.clear();
    }
    void click(int x, int y)
    {
        gui.mouseMessage(M::leftDown, x, y, false);
        gui.mouseMessage(M::leftUp, x, y, false);
    }
    int positionOf(const std::string& skin)
    {
        for (int i = 0; i < skins->itemCount(); ++i)
            if (skins->itemText(i) == skin)
                return i;
        return -1;
    }
    std::vector<int> checkedItems()
    {
        std::vector<int> checked;
        for (int i = 0; i < skins->itemCount(); ++i)
            if (skins->isChecked(i))
                checked.push_back(i);
        return checked;
    }
};

} // namespace

// The options menu holds its items in order; the skin menu lists the
// sub-folders of the skins folder only, in the folder's listing order.
TEST_F(Menus, ItemsInOrder)
{
    build();
    ASSERT_EQ(options->itemCount(), 4);
    EXPECT_EQ(options->itemText(0), "Skin");
    EXPECT_EQ(options->itemText(1), "Default bank path");
    EXPECT_EQ(options->itemText(2), "");
    EXPECT_EQ(options->itemText(3), "About");
    EXPECT_EQ(options->itemText(4), "") << "past the end";
    std::vector<std::string> listed;
    for (int i = 0; i < skins->itemCount(); ++i)
        listed.push_back(skins->itemText(i));
    EXPECT_EQ(listed, Gui::skinNames(dir.file("skins")));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"Blue", "blue"}));
    EXPECT_EQ(area->describe(), "Options");
}

// A left press inside the area shows the menu at the press, owned by the
// editor, with the current skin checked by exact name; the area does not
// keep the mouse. Presses elsewhere and right presses show nothing.
TEST_F(Menus, PressShowsTheMenuWithTheCurrentSkinChecked)
{
    settings.set("skin", "blue");
    build();
    click(49, 70);
    click(60, 80);
    gui.mouseMessage(M::rightDown, 60, 70, false);
    gui.mouseMessage(M::rightUp, 60, 70, false);
    EXPECT_EQ(Headless::shownMenu().menu, nullptr) << "outside the area, or the right button";

    gui.mouseMessage(M::leftDown, 60, 70, false);
    const Headless::Shownmenu shown = Headless::shownMenu();
    EXPECT_EQ(shown.menu, options);
    EXPECT_EQ(shown.owner, &gui);
    EXPECT_EQ(shown.x, 60);
    EXPECT_EQ(shown.y, 70);
    EXPECT_FALSE(gui.holdsMouse(area));
    EXPECT_EQ(checkedItems(), std::vector<int>{positionOf("blue")});
    gui.mouseMessage(M::leftUp, 60, 70, false);
    Headless::dismiss();

    settings.set("skin", "Blue");
    click(60, 70);
    EXPECT_EQ(checkedItems(), std::vector<int>{positionOf("Blue")}) << "marks recomputed at each showing";
    Headless::dismiss();
    settings.set("skin", "BLUE");
    click(60, 70);
    EXPECT_TRUE(checkedItems().empty()) << "a skin that is not listed";
}

// Choosing a skin stores it at once, loads its images, tells the listeners
// and repaints the whole window; hidden, it repaints nothing.
TEST_F(Menus, ChoosingASkinSwitchesToIt)
{
    build();
    click(60, 70);
    Headless::takeInvalidated(gui);
    ASSERT_TRUE(Headless::choose(*skins, positionOf("Blue")));
    EXPECT_EQ(Headless::shownMenu().menu, nullptr) << "the choice closes the menu";
    EXPECT_EQ(settings.get("skin"), "Blue");
    EXPECT_EQ(knob->width(), 34);
    EXPECT_EQ(listener.folders, std::vector<std::string>{dir.path() + "/skins/Blue/"});
    const std::vector<Headless::Rect> invalid = Headless::takeInvalidated(gui);
    ASSERT_EQ(invalid.size(), 1u);
    EXPECT_EQ(invalid[0].x, 0);
    EXPECT_EQ(invalid[0].y, 0);
    EXPECT_EQ(invalid[0].w, 200);
    EXPECT_EQ(invalid[0].h, 100);

    Headless::setHidden(gui, true);
    skins->popup(gui, 0, 0);
    ASSERT_TRUE(Headless::choose(*skins, positionOf("blue")));
    EXPECT_EQ(settings.get("skin"), "blue");
    EXPECT_EQ(knob->width(), 20);
    EXPECT_TRUE(Headless::takeInvalidated(gui).empty());
}

// The skin entry and the separator run nothing; the other items run their
// actions, "About" setting its value again when chosen twice.
TEST_F(Menus, ItemsRunOnlyTheirActions)
{
    build();
    for (int position : {0, 2}) {
        click(60, 70);
        ASSERT_TRUE(Headless::choose(*options, position));
    }
    EXPECT_EQ(bankPathRuns, 0);
    EXPECT_EQ(uistate.changes, 0);
    EXPECT_EQ(settings.get("skin"), "Red");
    EXPECT_TRUE(listener.folders.empty());

    click(60, 70);
    ASSERT_TRUE(Headless::choose(*options, 1));
    EXPECT_EQ(bankPathRuns, 1);
    for (int time = 0; time < 2; ++time) {
        click(60, 70);
        ASSERT_TRUE(Headless::choose(*options, 3));
        EXPECT_EQ(uistate.values[666], 1.0);
    }
    EXPECT_EQ(uistate.changes, 2);
}

// Nothing runs for a menu that is not shown, a position without an item,
// or a dismissed menu; a menu destroyed while shown is no longer shown.
TEST_F(Menus, OnlyAShownMenuTakesAChoice)
{
    build();
    EXPECT_FALSE(Headless::choose(*options, 3)) << "not shown";
    click(60, 70);
    EXPECT_FALSE(Headless::choose(*options, 4));
    EXPECT_FALSE(Headless::choose(*options, -1));
    options->select(7);
    Headless::dismiss();
    EXPECT_FALSE(Headless::choose(*options, 3)) << "dismissed";
    EXPECT_EQ(uistate.changes, 0);

    gui.close();
    EXPECT_FALSE(gui.isOpen());
    options->popup(gui, 1, 1);
    EXPECT_EQ(Headless::shownMenu().menu, nullptr) << "a closed window shows no menu";

    auto lone = std::make_unique<Systemmenu>("Lone", true);
    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    lone->popup(gui, 1, 1);
    EXPECT_EQ(Headless::shownMenu().menu, lone.get());
    lone.reset();
    EXPECT_EQ(Headless::shownMenu().menu, nullptr);
}

// An empty, a missing or an unreadable skins folder gives an empty skin
// menu that still shows.
TEST_F(Menus, NoSkinsGiveAnEmptyMenu)
{
    std::filesystem::create_directories(dir.file("empty"));
    for (const std::string& folder : {dir.file("empty"), dir.file("missing"), dir.file("skins/notes.txt")}) {
        Skinmenu menu("Skin", folder, settings, gui);
        EXPECT_EQ(menu.itemCount(), 0) << folder;
        ASSERT_TRUE(gui.open(Headless::parentWindow()));
        menu.popup(gui, 5, 5);
        EXPECT_EQ(Headless::shownMenu().menu, &menu);
        EXPECT_FALSE(Headless::choose(menu, 0));
    }
}
