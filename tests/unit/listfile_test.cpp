// The skin's colour file: its reading rules, and the colours the display
// takes from it.
#include "eq/editor/eqwindow.h"
#include "eq/editor/listfile.h"
#include "openeditor.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> numbersOf(const std::string& text, const std::string& key)
{
    Tempfolder dir;
    dir.write("list.txt", text);
    return Listfile(dir.file("list.txt")).numbers(key);
}

using Numbers = std::vector<int>;

constexpr const char* sevenBands = "band-1:1,2,3,4\nband-2:5,6,7,8\nband-3:1,1,1,1\nband-4:2,2,2,2\n"
                                   "band-5:3,3,3,3\nband-6:4,4,4,4\nband-7:9,10,11,12\n";

} // namespace

TEST(Listfile, ItemsAreReadLikeAtoi)
{
    EXPECT_EQ(numbersOf("main: 32, -3,+7,12abc,x,\n", "main"), (Numbers{32, -3, 7, 12, 0}));
    EXPECT_EQ(numbersOf("main:1,,2", "main"), (Numbers{1, 0, 2}));
    EXPECT_EQ(numbersOf("main:\nother:1", "main"), Numbers{});
    EXPECT_EQ(numbersOf("main:99999999999999999999", "main"), Numbers{2147483647});
    EXPECT_EQ(numbersOf("band-1:1,2,3,4\r\n", "band-1"), (Numbers{1, 2, 3, 4}));
}

TEST(Listfile, KeysAreExactAndTheLaterEntryWins)
{
    EXPECT_EQ(numbersOf("main:1\nmain:2,3\n", "main"), (Numbers{2, 3}));
    EXPECT_EQ(numbersOf("Main:1\n", "main"), Numbers{});
    EXPECT_EQ(numbersOf(" main:1\n", "main"), Numbers{});
    // A line without ':' runs on into the next line's key.
    EXPECT_EQ(numbersOf("junk\nmain:1\nband-1:2\n", "main"), Numbers{});
    EXPECT_EQ(numbersOf("junk\nmain:1\nband-1:2\n", "junk\nmain"), Numbers{1});
    EXPECT_EQ(numbersOf("junk\nmain:1\nband-1:2\n", "band-1"), Numbers{2});
}

TEST(Listfile, OverlongKeyOrListEndsTheReading)
{
    const std::string longList = "main:" + std::string(256, '1') + "\nband-1:1\n";
    EXPECT_EQ(numbersOf(longList, "band-1"), Numbers{});
    EXPECT_EQ(numbersOf("band-1:1\n" + longList, "band-1"), Numbers{1});
    EXPECT_EQ(numbersOf("main:" + std::string(255, '7').replace(0, 1, "1") + "\nband-1:2", "band-1"), Numbers{2});
    EXPECT_EQ(numbersOf("band-1:1\n" + std::string(256, 'k') + ":2\nmain:3\n", "main"), Numbers{});
    EXPECT_EQ(numbersOf("band-1:1\nno colon at the end", "band-1"), Numbers{1});
    EXPECT_EQ(Listfile("/no/such/folder/colors.txt").numbers("main"), Numbers{});
}

TEST(Listfile, DisplayColoursNeedAllSevenBands)
{
    Openeditor editor(std::string(sevenBands) + "main:255,256,-1,7\n");
    Eqwindow& display = editor.display();
    EXPECT_EQ(display.bandColour(0), 0x01020304u);
    EXPECT_EQ(display.bandColour(6), 0x090A0B0Cu);
    EXPECT_EQ(display.mainColour(), 0xFF00FF07u);

    const std::string threeNumbers =
        std::string(sevenBands).replace(std::string(sevenBands).find("band-4:2,2,2,2"), 14, "band-4:2,2,2");
    editor.dir.write("skins/Red/colors.txt", threeNumbers);
    editor.gui.loadSkin("Red");
    EXPECT_EQ(display.bandColour(0), 0x2003FF00u);
    EXPECT_EQ(display.bandColour(6), 0x20CACACAu);
    EXPECT_EQ(display.mainColour(), 0xFFFFFFFFu); // no "main": opaque white

    editor.dir.write("skins/Red/colors.txt", std::string(sevenBands) + "band-2:10,20,30,40\nmain:1,2,3\n");
    editor.gui.loadSkin("Red");
    EXPECT_EQ(display.bandColour(1), 0x0A141E28u);
    EXPECT_EQ(display.mainColour(), 0xFFFFFFFFu);

    std::filesystem::remove(editor.dir.file("skins/Red/colors.txt"));
    editor.gui.loadSkin("Red");
    EXPECT_EQ(display.bandColour(1), 0x2000FFFEu);
}
