// The editor's undo and redo (keys and menu), its compare switch, and the
// edited mark on the status line.
#include "openeditor.h"

#include "framework/gui/headless/menuchoices.h"
#include "framework/gui/systemmenu.h"

#include <gtest/gtest.h>

namespace {

using namespace Vexparameters;
using Framework::Programrecords;
namespace Headless = Framework::Headless;

// A user's drag of a value, as one gesture.
void gesture(Vex& vex, int index, double value)
{
    vex.beginEdit(index, Framework::Gesture::pointer);
    vex.setValue(value, index, false);
    vex.endEdit(Framework::Gesture::pointer);
}

Framework::Systemmenu& options(Openeditor& editor)
{
    editor.send(Openeditor::M::leftDown, 69, 362);
    editor.send(Openeditor::M::leftUp, 69, 362);
    return *Headless::shownMenu().menu;
}

} // namespace

TEST(Editorhistory, KeysAndMenuStepAsBracketedAutomation)
{
    Openeditor editor;
    Vex& vex = *editor.vex;
    const int gain4 = index(3, gain);
    gesture(vex, gain4, 6.0);
    editor.host.edits.clear();
    EXPECT_FALSE(editor.gui.keyMessage('z', false, false)) << "a plain letter";
    EXPECT_TRUE(editor.gui.keyMessage('z', false, true));
    EXPECT_NEAR(vex.getValue(gain4), 0.0, 1e-9);
    EXPECT_EQ(editor.host.edits, (std::vector<std::pair<char, int>>{{'b', gain4}, {'a', gain4}, {'e', gain4}}));
    EXPECT_TRUE(editor.gui.keyMessage('Z', true, true));
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-9) << "Ctrl+Shift+Z redoes";
    EXPECT_TRUE(editor.gui.keyMessage(26, false, true)) << "Ctrl+Z as its control character";
    EXPECT_TRUE(editor.gui.keyMessage('y', false, true));
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-9) << "Ctrl+Y redoes";

    // The history outlives the window; the menu greys what cannot be done.
    editor.gui.close();
    editor.gui.open(Headless::parentWindow());
    Framework::Systemmenu& menu = options(editor);
    EXPECT_FALSE(Headless::choose(menu, 1)) << "nothing to redo";
    ASSERT_TRUE(Headless::choose(menu, 0));
    EXPECT_NEAR(vex.getValue(gain4), 0.0, 1e-9);
    EXPECT_TRUE(options(editor).isEnabled(1));
    Headless::dismiss();
}

TEST(Editorhistory, CompareSwitchShowsTheLiveLetterAndCopies)
{
    Openeditor editor;
    namespace fs = std::filesystem;
    fs::copy(fs::path(VEX_SOURCE_DIR) / "skins" / "Red", editor.dir.file("skins/Red"),
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    editor.gui.loadSkin("Red");
    Vex& vex = *editor.vex;
    const auto letter = [&] {
        editor.paint();
        std::vector<std::uint32_t> pixels;
        for (int y = Layout::statusY; y < Layout::statusY + 9; ++y)
            for (int x = Layout::compareX; x < Layout::compareX + Layout::compareW; ++x)
                pixels.push_back(editor.pixel(x, y));
        return pixels;
    };
    const auto click = [&] {
        editor.send(Openeditor::M::leftDown, Layout::compareX + 10, Layout::statusY + 4);
        editor.send(Openeditor::M::leftUp, Layout::compareX + 10, Layout::statusY + 4);
    };
    const std::vector<std::uint32_t> a = letter();
    gesture(vex, index(3, gain), 6.0);
    click();
    EXPECT_EQ(vex.liveSetting(), Programrecords::b);
    EXPECT_NEAR(vex.getValue(index(3, gain)), 0.0, 1e-9) << "B is the program as loaded";
    EXPECT_NE(letter(), a);
    click();
    EXPECT_EQ(letter(), a);

    Framework::Systemmenu& menu = options(editor);
    EXPECT_FALSE(menu.isEnabled(4)) << "Copy B to A while A is live";
    ASSERT_TRUE(Headless::choose(menu, 3));
    click();
    EXPECT_NEAR(vex.getValue(index(3, gain)), 6.0, 1e-9) << "B is now a copy of A";
}

TEST(Editorhistory, ProgramNameIsMarkedWhileTheValuesDiffer)
{
    Openeditor editor;
    Vex& vex = *editor.vex;
    vex.setProgram(0);
    const std::string name = vex.display().text(nullptr);
    ASSERT_FALSE(name.empty());
    gesture(vex, index(2, frequency), 440.0);
    ASSERT_TRUE(vex.undo());
    EXPECT_EQ(vex.display().text(nullptr), name);
    ASSERT_TRUE(vex.redo());
    EXPECT_EQ(vex.display().text(nullptr), name + " *");
    vex.switchSetting();
    EXPECT_EQ(vex.display().text(nullptr), name) << "B holds the program as loaded";
    vex.switchSetting();
    EXPECT_EQ(vex.display().text(nullptr), name + " *");
}
