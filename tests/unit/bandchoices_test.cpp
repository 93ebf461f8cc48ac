// A band's placement and the outer bands' slopes, set in the editor: the
// right-click menus and the wheel reach the host as proper edits, and the
// switches and type strips show what is set.
#include "openeditor.h"

#include "framework/gui/headless/menuchoices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <utility>
#include <vector>

using namespace Vexparameters;
using Log = std::vector<std::pair<char, int>>;
using M = Openeditor::M;
namespace Headless = Framework::Headless;

namespace {

struct Bandchoices : testing::Test {
    Openeditor editor;
    Log& log = editor.host.edits;

    // A right click at (x, y); answers the menu it shows.
    Framework::Systemmenu* rightClick(int x, int y)
    {
        editor.send(M::move, x, y);
        editor.send(M::rightDown, x, y);
        editor.send(M::rightUp, x, y);
        return Headless::shownMenu().menu;
    }
    void rest() { editor.gui.endWheelEdit(std::chrono::steady_clock::now() + Framework::Gui::wheelPause); }
};

constexpr int switchY = Layout::switchY + Layout::switchH / 2;
constexpr int selectorY = Layout::selectorY + Layout::selectorH / 2;

} // namespace

// The menu lists the placements with the current one checked; a choice is
// one edit of the placement alone, and the band stays on.
TEST_F(Bandchoices, RightClickOnASwitchChoosesThePlacement)
{
    const int x = Layout::switchLeft(2) + Layout::switchW / 2, p = index(2, placement);
    log.clear();
    Framework::Systemmenu* menu = rightClick(x, switchY);
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->itemCount(), placementCount);
    EXPECT_EQ(menu->itemText(3), "Mid");
    for (int k = 0; k < placementCount; ++k)
        EXPECT_EQ(menu->isChecked(k), k == 0) << k;
    EXPECT_TRUE(log.empty()) << "the press alone edits nothing";
    ASSERT_TRUE(Headless::choose(*menu, 3));
    EXPECT_EQ(editor.vex->getValue(p), 3.0);
    EXPECT_EQ(log, (Log{{'b', p}, {'a', p}, {'e', p}}));
    EXPECT_EQ(editor.vex->getValue(index(2, on)), 1.0);

    menu = rightClick(x, switchY);
    ASSERT_TRUE(menu);
    for (int k = 0; k < placementCount; ++k)
        EXPECT_EQ(menu->isChecked(k), k == 3) << k;
    Headless::dismiss();
    editor.send(M::leftDown, x, switchY);
    editor.send(M::leftUp, x, switchY);
    EXPECT_EQ(editor.vex->getValue(index(2, on)), 0.0) << "a left click still switches the band";
}

// The wheel steps a switch's placement, and over an outer band's pass
// filter its slope, each burst one edit held to the ends; elsewhere on the
// strip it still steps the type. The slope's menu sets it too.
TEST_F(Bandchoices, WheelAndMenuStepPlacementAndSlope)
{
    const int p = index(6, placement), s = index(6, slope);
    log.clear();
    editor.gui.wheelMessage(Layout::switchLeft(6) + 18, switchY, 120, false, false);
    editor.gui.wheelMessage(Layout::switchLeft(6) + 18, switchY, 2 * 120, false, false);
    EXPECT_EQ(editor.vex->getValue(p), 3.0);
    rest();
    const int pass = Layout::selectorLeft(6) + 60, bell = Layout::selectorLeft(6) + 36;
    editor.gui.wheelMessage(pass, selectorY, 5 * 120, false, false);
    EXPECT_EQ(editor.vex->getValue(s), 3.0);
    rest();
    editor.gui.wheelMessage(bell, selectorY, 120, false, false);
    rest();
    EXPECT_EQ(editor.vex->getValue(index(6, type)), 2.0);
    Log brackets;
    for (const auto& entry : log)
        if (entry.first != 'a')
            brackets.push_back(entry);
    EXPECT_EQ(brackets, (Log{{'b', p}, {'e', p}, {'b', s}, {'e', s}, {'b', index(6, type)}, {'e', index(6, type)}}));

    Framework::Systemmenu* menu = rightClick(Layout::selectorLeft(0) + 12, selectorY);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->itemText(2), "36 dB/oct");
    EXPECT_TRUE(menu->isChecked(0));
    ASSERT_TRUE(Headless::choose(*menu, 2));
    EXPECT_EQ(editor.vex->getValue(index(0, slope)), 2.0);
    EXPECT_EQ(editor.vex->getValue(index(0, type)), 1.0) << "the right click chooses no type";
}

// In the committed skin a placement shows on its band's switch and a slope
// on its band's strip, each step differently, and the usual ones as before.
TEST(Bandart, SwitchesAndStripsShowPlacementAndSlope)
{
    Openeditor editor;
    std::filesystem::copy(std::filesystem::path(VEX_SOURCE_DIR) / "skins" / "Red", editor.dir.file("skins/Red"),
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    editor.gui.loadSkin("Red");
    auto area = [&](int x, int y, int w, int h) {
        editor.paint();
        std::vector<std::uint32_t> pixels;
        for (int row = y; row < y + h; ++row)
            for (int column = x; column < x + w; ++column)
                pixels.push_back(editor.pixel(column, row));
        return pixels;
    };
    auto strip = [&] { return area(Layout::selectorLeft(0), Layout::selectorY, 24, Layout::selectorH); };
    auto button = [&] { return area(Layout::switchLeft(4), Layout::switchY, Layout::switchW, Layout::switchH); };
    std::vector<std::vector<std::uint32_t>> seen = {strip()};
    for (int step = 1; step < slopeSteps; ++step) {
        editor.vex->setValue(step, index(0, slope), true);
        seen.push_back(strip());
        for (int before = 0; before < step; ++before)
            EXPECT_NE(seen[static_cast<std::size_t>(step)], seen[static_cast<std::size_t>(before)]) << step;
    }
    editor.vex->setValue(0.0, index(0, slope), true);
    EXPECT_EQ(strip(), seen[0]);

    const auto stereo = button();
    editor.vex->setValue(1.0, index(4, placement), true);
    const auto left = button();
    editor.vex->setValue(4.0, index(4, placement), true);
    EXPECT_NE(left, stereo);
    EXPECT_NE(button(), left);
    editor.vex->setValue(0.0, index(4, placement), true);
    EXPECT_EQ(button(), stereo);
}
