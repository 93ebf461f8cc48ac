// Presets in the editor: saving the live values as a User preset, loading
// one as a single undo step, stepping and choosing the bank's programs.
#include "fulldisk.h"
#include "openeditor.h"
#include "records.h"

#include "framework/gui/headless/entryboxes.h"
#include "framework/gui/headless/menuchoices.h"
#include "framework/gui/presetbrowser.h"
#include "framework/plugin/vstfxpfileio.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;
namespace Headless = Framework::Headless;
using M = Framework::Window::Mousemessage;
using Framework::Systemmenu;

namespace {

struct Presets : ::testing::Test {
    Openeditor editor;
    Vex& vex = *editor.vex;
    Framework::Presetbrowser& browser = *editor.gui.presets;
    const std::string bank = editor.dir.file("banks/default");

    void TearDown() override { Headless::dismiss(); }

    // A preset of the user's, as a path and relative to the test's folder.
    std::string user(const std::string& name) { return editor.dir.file(saved(name)); }
    static std::string saved(const std::string& name) { return std::string(Tempfolder::presets) + "/" + name + ".fxp"; }
    std::string status() { return vex.display().text(nullptr); }
    // The file the host would save for the current program.
    std::string hostFile(const std::string& name)
    {
        void* chunk = nullptr;
        const int size = vex.getProgramChunk(&chunk);
        const std::string path = editor.dir.file("host.fxp");
        EXPECT_TRUE(Equalizer::handlers().front()->write(name, chunk, size, path));
        return editor.dir.read("host.fxp");
    }
    std::set<fs::path> tree() { return {fs::recursive_directory_iterator(editor.dir.path()), {}}; }
    // The preset menu as a press on the program name shows it.
    Systemmenu& openMenu()
    {
        editor.send(M::move, Layout::statusX + 40, Layout::statusBackY + 6);
        editor.send(M::leftDown, Layout::statusX + 40, Layout::statusBackY + 6);
        editor.send(M::leftUp, Layout::statusX + 40, Layout::statusBackY + 6);
        Systemmenu* menu = Headless::shownMenu().menu;
        EXPECT_TRUE(menu && menu == browser.menu());
        return *browser.menu();
    }
    int positionOf(const Systemmenu& menu, const std::string& text)
    {
        for (int i = 0; i < menu.itemCount(); ++i)
            if (menu.itemText(i) == text)
                return i;
        return -1;
    }
    std::vector<std::string> checked(const Systemmenu& menu)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < menu.itemCount(); ++i)
            if (menu.isChecked(i))
                texts.push_back(menu.itemText(i));
        return texts;
    }
    // A factory program file in the bank folder.
    void factory(const std::string& file, const std::string& name, double gain1)
    {
        Vexprogram p;
        Vex::defaults(p);
        std::memset(p.name, 0, sizeof p.name);
        name.copy(p.name, 23);
        p.values[Vexparameters::slot(3)] = gain1;
        const Records::Bytes record = Records::program(p);
        ASSERT_TRUE(Equalizer::handlers().front()->write(name, record.data(), static_cast<int>(record.size()),
                                                         bank + "/" + file));
    }
};

} // namespace

// The saved file holds exactly what the host's program chunk would, in the
// same wrapping; another instance lists it and loads it as one undo step,
// told to its host as bracketed automation.
TEST_F(Presets, SavedPresetIsTheHostsProgramAndLoadsAsOneStep)
{
    everyBandActive(vex);
    ASSERT_TRUE(browser.saveAs("Warm Mix"));
    const std::string written = editor.dir.read(saved("Warm Mix"));
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written, hostFile("Warm Mix"));
    EXPECT_EQ(status(), "Warm Mix") << "the current program takes the name, unedited";
    EXPECT_EQ(vex.getProgramName(0), "Warm Mix");

    Openeditor other;
    Headless::setUserFolder(editor.dir.file("user")); // the same user
    other.vex->setbankpath(bank);
    const std::string factoryName = other.vex->getProgramName(0);
    other.host.edits.clear();
    other.send(M::move, Layout::statusX + 40, Layout::statusBackY + 6);
    other.send(M::leftDown, Layout::statusX + 40, Layout::statusBackY + 6);
    other.send(M::leftUp, Layout::statusX + 40, Layout::statusBackY + 6);
    Systemmenu* menu = other.gui.presets->menu();
    ASSERT_TRUE(menu);
    const int userAt = positionOf(*menu, "User");
    ASSERT_GE(userAt, 0);
    Systemmenu* users = menu->submenuAt(userAt);
    ASSERT_TRUE(users);
    ASSERT_EQ(users->itemText(0), "Warm Mix");
    ASSERT_TRUE(Headless::choose(*users, 0));
    for (int i = 0; i < vex.parameterCount(); ++i)
        if (vex.automatable(i)) {
            EXPECT_NEAR(other.vex->getValue(i), vex.getValue(i), 1e-12) << i;
        }
    EXPECT_EQ(other.vex->display().text(nullptr), "Warm Mix");
    ASSERT_FALSE(other.host.edits.empty());
    EXPECT_EQ(other.host.edits.front().first, 'b');
    EXPECT_EQ(other.host.edits.back().first, 'e');
    EXPECT_GT(std::count_if(other.host.edits.begin(), other.host.edits.end(), [](auto e) { return e.first == 'a'; }),
              0);

    // Undo brings back the program the load replaced, name and all; redo
    // the preset again.
    ASSERT_TRUE(other.vex->undo());
    EXPECT_FALSE(other.vex->canUndo()) << "the load was one step";
    EXPECT_EQ(other.vex->getValue(3), 0.0);
    EXPECT_EQ(other.vex->getProgramName(0), factoryName);
    EXPECT_EQ(other.vex->display().text(nullptr), factoryName) << "unedited";
    ASSERT_TRUE(other.vex->redo());
    EXPECT_NEAR(other.vex->getValue(3), vex.getValue(3), 1e-12);
    EXPECT_EQ(other.vex->display().text(nullptr), "Warm Mix");
    // Once the bank is read anew, its program 0 starts a new history.
    ASSERT_TRUE(other.vex->undo());
    other.vex->setbankpath(bank);
    EXPECT_FALSE(other.vex->redo());
    EXPECT_EQ(other.vex->getProgramName(0), factoryName);
    EXPECT_EQ(other.vex->display().text(nullptr), factoryName);
}

// Names that are no plain file name are refused with a message and write
// nothing anywhere; the entry box stays open to mend the name.
TEST_F(Presets, HostileNamesWriteNothing)
{
    const std::set<fs::path> before = tree();
    const std::vector<std::string> hostile = {
        "",      "   ",   "..",   ". .",     "../evil", "a/b",   "a\\b",     "..\\x",       "c:x",
        "name.", "name ", "CON",  "con.txt", "Nul",     "COM1",  "lpt9.fxp", "aux .x",      "tab\there",
        "a<b",   "a>b",   "q\"t", "p|q",     "what?",   "star*", "\x7f",     "line\nbreak", std::string(24, 'x')};
    for (const std::string& name : hostile) {
        vex.display().showProgram();
        EXPECT_FALSE(browser.saveAs(name)) << name;
        EXPECT_NE(status(), "init") << "a message for " << name;
    }
    EXPECT_EQ(tree(), before);

    browser.save();
    ASSERT_TRUE(browser.entry());
    Headless::typeInto(*browser.entry(), "con");
    Headless::pressEnter(*browser.entry());
    ASSERT_TRUE(browser.entry()) << "open to mend the name";
    EXPECT_EQ(status(), "Name reserved by Windows");
    Headless::typeInto(*browser.entry(), "cert at the hall 2026");
    Headless::pressEnter(*browser.entry());
    EXPECT_FALSE(browser.entry());
    EXPECT_FALSE(editor.dir.read(saved("concert at the hall 202")).empty())
        << "cut to the longest name the program name holds";
}

// An existing preset is replaced only when the user says so.
TEST_F(Presets, AnExistingNameAsksFirst)
{
    vex.setValue(6.0, 3, true);
    ASSERT_TRUE(browser.saveAs("Bright"));
    const std::string first = editor.dir.read(saved("Bright"));
    vex.setValue(-6.0, 3, true);
    ASSERT_TRUE(browser.saveAs("Bright"));
    Systemmenu* question = Headless::shownMenu().menu;
    ASSERT_TRUE(question);
    EXPECT_EQ(question->itemText(0), "Replace \"Bright\"");
    ASSERT_TRUE(Headless::choose(*question, 1));
    EXPECT_EQ(editor.dir.read(saved("Bright")), first);
    vex.display().showProgram();
    EXPECT_EQ(status(), "Bright *");

    ASSERT_TRUE(browser.saveAs("Bright"));
    ASSERT_TRUE(Headless::choose(*Headless::shownMenu().menu, 0));
    EXPECT_EQ(editor.dir.read(saved("Bright")), hostFile("Bright"));
    EXPECT_EQ(status(), "Bright");
}

// A write that fails says so and keeps both the old file and the live values.
TEST_F(Presets, AFailedWriteKeepsEverything)
{
    vex.setValue(6.0, 3, true);
    ASSERT_TRUE(browser.saveAs("Kept"));
    const std::string old = editor.dir.read(saved("Kept"));
    vex.setValue(-9.0, 3, true);
    {
        const Fulldisk full;
        ASSERT_TRUE(browser.saveAs("Kept"));
        ASSERT_TRUE(Headless::choose(*Headless::shownMenu().menu, 0));
    }
    EXPECT_EQ(status(), "Could not write the preset");
    EXPECT_EQ(std::distance(fs::directory_iterator(editor.dir.file(Tempfolder::presets)), {}), 1)
        << "the new file goes";
    EXPECT_EQ(editor.dir.read(saved("Kept")), old);
    EXPECT_EQ(vex.getValue(3), -9.0);
    EXPECT_EQ(vex.getProgramName(0), "Kept") << "the program keeps its stored values";
    vex.display().showProgram();
    EXPECT_EQ(status(), "Kept *");
}

// The arrows step through the bank's programs round its ends, the host's
// program number following; the menu lists the bank's programs, then the
// subfolders, with the current one checked.
TEST_F(Presets, ArrowsAndMenuSelectPrograms)
{
    factory("01 Low.fxp", "Low", -3.0);
    factory("02 High.fxp", "High", 3.0);
    vex.setbankpath(bank);
    const auto click = [&](int x) {
        editor.send(M::move, x + Layout::arrowW / 2, Layout::statusBackY + 6);
        editor.send(M::leftDown, x + Layout::arrowW / 2, Layout::statusBackY + 6);
        editor.send(M::leftUp, x + Layout::arrowW / 2, Layout::statusBackY + 6);
    };
    click(Layout::nextX);
    EXPECT_EQ(editor.host.current, 1);
    EXPECT_EQ(vex.getValue(3), vex.getProgramName(1) == "Low" ? -3.0 : 3.0);
    EXPECT_EQ(status(), vex.getProgramName(1));
    click(Layout::previousX);
    click(Layout::previousX);
    EXPECT_EQ(editor.host.current, vexProgramCount - 1) << "round the first";
    click(Layout::nextX);
    EXPECT_EQ(editor.host.current, 0) << "round the last";

    Systemmenu& menu = openMenu();
    ASSERT_EQ(menu.itemCount(), 4);
    EXPECT_EQ(menu.itemText(0), vex.getProgramName(0));
    EXPECT_EQ(menu.itemText(1), vex.getProgramName(1));
    EXPECT_EQ(checked(menu), std::vector<std::string>{vex.getProgramName(0)});
    EXPECT_EQ(menu.itemText(3), "Save preset...");
    ASSERT_TRUE(Headless::choose(menu, 1));
    EXPECT_EQ(editor.host.current, 1);
    EXPECT_FALSE(vex.canUndo()) << "a program change is no undo step";

    vex.setValue(1.0, 8, true);
    ASSERT_TRUE(browser.saveAs("Mine"));
    Systemmenu& again = openMenu();
    EXPECT_TRUE(checked(again).empty());
    Systemmenu* users = again.submenuAt(positionOf(again, "User"));
    ASSERT_TRUE(users);
    EXPECT_EQ(checked(*users), std::vector<std::string>{"Mine"});
}

// Presets an earlier version saved in the bank folder's User folder are
// listed under "User" beside the user's own, which win a shared name.
TEST_F(Presets, EarlierUserPresetsAreListedBesideTheUsersOwn)
{
    vex.setValue(4.0, 3, true);
    ASSERT_TRUE(browser.saveAs("Both"));
    fs::create_directories(bank + "/User");
    ASSERT_TRUE(Equalizer::handlers().front()->write("Old", "x", 1, bank + "/User/Old.fxp"));
    ASSERT_TRUE(Equalizer::handlers().front()->write("Both", "x", 1, bank + "/User/Both.fxp"));
    Systemmenu& menu = openMenu();
    Systemmenu* users = menu.submenuAt(positionOf(menu, "User"));
    ASSERT_TRUE(users);
    ASSERT_EQ(users->itemCount(), 2);
    EXPECT_EQ(users->itemText(0), "Both");
    EXPECT_EQ(users->itemText(1), "Old");
    ASSERT_TRUE(Headless::choose(*users, 0));
    EXPECT_EQ(vex.getValue(3), 4.0) << "the user's own";
}

// A setting the user chose that cannot be written says so on the status
// line, and holds for the session.
TEST_F(Presets, AnUnsavedSettingIsTold)
{
    editor.gui.addSettings();
    {
        const Fulldisk full(1);
        editor.gui.setAnalyzer(0);
    }
    EXPECT_EQ(status(), "Could not save settings");
    EXPECT_EQ(editor.gui.analyzer(), 0u);
}
