#include "framework/plugin/settingsfile.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

using Framework::Settingsfile;

namespace {

const std::string defaultFolder = "D:\\Audio\\Plugins\\banks\\default\\";
const std::string defaultsOnDisk = "skin\nRed\ndef-bank-path\n" + defaultFolder + "\n";

// A store registered as the plug-in registers it, loaded from contents
// (nothing written when contents is null).
struct Loaded {
    Tempfolder dir;
    Settingsfile settings{dir.file("Vexatone.ini")};

    explicit Loaded(const char* contents)
    {
        if (contents)
            dir.write("Vexatone.ini", contents);
        settings.add("skin", "Red");
        settings.add("def-bank-path", defaultFolder);
        settings.load();
    }
    std::string onDisk() const { return dir.read("Vexatone.ini"); }
};

} // namespace

TEST(Settingsfile, MissingFileGivesDefaultsAndCreatesFile)
{
    Loaded s(nullptr);
    EXPECT_EQ(s.settings.get("skin"), "Red");
    EXPECT_EQ(s.settings.get("def-bank-path"), defaultFolder);
    EXPECT_EQ(s.onDisk(), defaultsOnDisk);
}

TEST(Settingsfile, StoredValuesReplaceDefaultsAndFileIsLeftAlone)
{
    const char* file = "skin\nBlue\ndef-bank-path\nE:\\Presets\\\n";
    Loaded s(file);
    EXPECT_EQ(s.settings.get("skin"), "Blue");
    EXPECT_EQ(s.settings.get("def-bank-path"), "E:\\Presets\\");
    EXPECT_EQ(s.onDisk(), file);
}

// A file edited by hand, or written by another version, keeps every value
// this version knows by its key's name; keys it does not know stay in the
// file after its own, and only a file that lacks a key is rewritten.
TEST(Settingsfile, ValuesAreTakenByKeyWhereverTheyStand)
{
    const char* reordered = "def-bank-path\nE:\\Presets\\\nskin\nBlue\n";
    Loaded s(reordered);
    EXPECT_EQ(s.settings.get("skin"), "Blue");
    EXPECT_EQ(s.settings.get("def-bank-path"), "E:\\Presets\\");
    EXPECT_EQ(s.onDisk(), reordered) << "a complete file is left alone";

    struct Case {
        const char* file;
        const char* skin;
        const char* written; // after the two registered keys
    } cases[] = {
        {"skin\nBlue\ncolour\nE:\\P\\\n", "Blue", "colour\nE:\\P\\\n"}, // an unknown key is kept
        {"skin\nBlue\n", "Blue", ""},                                   // one pair
        {"skin\nBlue\ndef-bank-path\n", "Blue", ""},                    // a missing value line
        {"", "Red", ""},                                                // empty
        {"Skin\nBlue\n", "Red", "Skin\nBlue\n"},                        // keys are case-sensitive
        {"skin\nBlue\nskin\nGreen\nx\n1\nx\n2\n", "Blue", "x\n1\n"},    // the first of a key twice
    };
    for (const Case& c : cases) {
        Loaded loaded(c.file);
        EXPECT_EQ(loaded.settings.get("skin"), c.skin) << c.file;
        EXPECT_EQ(loaded.settings.get("def-bank-path"), defaultFolder) << c.file;
        EXPECT_EQ(loaded.onDisk(),
                  "skin\n" + std::string(c.skin) + "\ndef-bank-path\n" + defaultFolder + "\n" + c.written)
            << c.file;
    }
}

// Two instances share the file: each write changes only what its instance
// changed, so the user's last choice wins wherever it was made.
TEST(Settingsfile, TwoInstancesKeepTheLastChoice)
{
    Loaded first(nullptr);
    Settingsfile second(first.dir.file("Vexatone.ini"));
    second.add("skin", "Red");
    second.add("def-bank-path", defaultFolder);
    second.add("size", "screen");
    second.load();
    first.settings.set("skin", "Ivory");
    second.set("size", "150");
    second.save(); // the second instance closes, still holding "Red"
    first.settings.set("def-bank-path", "E:\\P\\");
    first.settings.save();
    EXPECT_EQ(first.onDisk(), "skin\nIvory\ndef-bank-path\nE:\\P\\\nsize\n150\n");
    EXPECT_EQ(second.get("skin"), "Ivory") << "what another instance wrote is taken at its next write";
}

TEST(Settingsfile, LinesAreTakenExactly)
{
    Loaded noFinalBreak("skin\nBlue\ndef-bank-path\nE:\\P\\");
    EXPECT_EQ(noFinalBreak.settings.get("def-bank-path"), "E:\\P\\");

    Loaded emptyValue("skin\n\ndef-bank-path\nE:\\P\\\n");
    EXPECT_EQ(emptyValue.settings.get("skin"), "");

    Loaded spaces("skin\n Blue \ndef-bank-path\nE:\\P\\\n");
    EXPECT_EQ(spaces.settings.get("skin"), " Blue ");

    // A file written on Windows: the CR before each LF is not part of a line.
    Loaded crlf("skin\r\nBlue\r\ndef-bank-path\r\nE:\\P\\\r\n");
    EXPECT_EQ(crlf.settings.get("skin"), "Blue");
    EXPECT_EQ(crlf.settings.get("def-bank-path"), "E:\\P\\");
}

// Whatever the reader accepts, the writer writes back so that it reads the
// same: a CR that ends the file's last line is no part of the value.
TEST(Settingsfile, ReadAndWriteAgree)
{
    for (const char* contents : {"skin\nBlue\ndef-bank-path\nE:\\P\\\r", "skin\r\nBlue\r\ndef-bank-path\r\nE:\r",
                                 "skin\nB\rlue\ndef-bank-path\n\r\n", "skin\r\nBlu\r\ndef-bank-path\r\nD:\\b\r\r"}) {
        Loaded first(contents);
        first.settings.save();
        const std::string written = first.onDisk();
        Loaded second(written.c_str());
        for (const char* key : {"skin", "def-bank-path"})
            EXPECT_EQ(second.settings.get(key), first.settings.get(key)) << key;
        second.settings.save();
        EXPECT_EQ(second.onDisk(), written);
    }
    EXPECT_EQ(Loaded("skin\nBlue\ndef-bank-path\nE:\\P\\\r").settings.get("def-bank-path"), "E:\\P\\");
}

TEST(Settingsfile, LineLengthLimit)
{
    const std::string longest(Settingsfile::maxLineLength, 'x');
    Loaded fits(("skin\nBlue\ndef-bank-path\n" + longest + "\n").c_str());
    EXPECT_EQ(fits.settings.get("def-bank-path"), longest);

    Loaded tooLong(("skin\nBlue\ndef-bank-path\n" + longest + "y\n").c_str());
    EXPECT_EQ(tooLong.settings.get("skin"), "Blue") << "what stands before the long line is read";
    EXPECT_EQ(tooLong.settings.get("def-bank-path"), defaultFolder);
    EXPECT_EQ(tooLong.onDisk(), "skin\nBlue\ndef-bank-path\n" + defaultFolder + "\n");
}

TEST(Settingsfile, UnregisteredKeys)
{
    Loaded s(nullptr);
    EXPECT_EQ(s.settings.get("colour"), "N/A");
    EXPECT_FALSE(s.settings.set("colour", "Blue"));
    EXPECT_EQ(s.settings.get("colour"), "N/A");
    s.settings.save();
    EXPECT_EQ(s.onDisk(), defaultsOnDisk);
}

// Hosts may end their process without closing the plug-in: a change is
// written at once.
TEST(Settingsfile, SetWritesTheFileAtOnce)
{
    Loaded s(nullptr);
    EXPECT_TRUE(s.settings.set("def-bank-path", "E:\\Mine\\"));
    EXPECT_EQ(s.settings.get("def-bank-path"), "E:\\Mine\\");
    EXPECT_EQ(s.onDisk(), "skin\nRed\ndef-bank-path\nE:\\Mine\\\n");
}

TEST(Settingsfile, ValuesTheFileCannotHoldAreRefused)
{
    // Saving any of these would make the next load lose every setting.
    Loaded s(nullptr);
    EXPECT_FALSE(s.settings.set("skin", "Blue\nGreen"));
    EXPECT_FALSE(s.settings.set("skin", "Blue\r"));
    EXPECT_FALSE(s.settings.set("skin", std::string(Settingsfile::maxLineLength + 1, 'x')));
    EXPECT_EQ(s.settings.get("skin"), "Red");
    EXPECT_TRUE(s.settings.set("skin", std::string(Settingsfile::maxLineLength, 'x')));
}

TEST(Settingsfile, UnwritableFileKeepsValuesInMemory)
{
    Tempfolder dir;
    Settingsfile settings(dir.file("missing-folder/Vexatone.ini"));
    settings.add("skin", "Red");
    settings.load();
    EXPECT_TRUE(settings.set("skin", "Blue"));
    settings.save();
    EXPECT_EQ(settings.get("skin"), "Blue");
}

// Newer keys come after the ones a file of an earlier version holds: such a
// file keeps its values and gains the newer keys' defaults, and an earlier
// version keeps its values from a newer file and the keys it does not know.
TEST(Settingsfile, FilesOfEarlierAndLaterVersionsKeepTheirValues)
{
    struct Newer {
        Tempfolder dir;
        Settingsfile settings{dir.file("Vexatone.ini")};
        explicit Newer(const char* contents)
        {
            dir.write("Vexatone.ini", contents);
            settings.add("skin", "Red");
            settings.add("def-bank-path", defaultFolder);
            settings.add("size", "screen");
            settings.add("analyzer", "output");
            settings.load();
        }
    };
    Newer upgraded("skin\nBlue\ndef-bank-path\nE:\\P\\\n");
    EXPECT_EQ(upgraded.settings.get("skin"), "Blue");
    EXPECT_EQ(upgraded.settings.get("def-bank-path"), "E:\\P\\");
    EXPECT_EQ(upgraded.settings.get("size"), "screen");
    const std::string complete = "skin\nBlue\ndef-bank-path\nE:\\P\\\nsize\nscreen\nanalyzer\noutput\n";
    EXPECT_EQ(upgraded.dir.read("Vexatone.ini"), complete);

    Newer partial("skin\nBlue\ndef-bank-path\nE:\\P\\\nsize\n150\n");
    EXPECT_EQ(partial.settings.get("skin"), "Blue");
    EXPECT_EQ(partial.settings.get("size"), "150");
    EXPECT_EQ(partial.settings.get("analyzer"), "output");

    Loaded older(complete.c_str());
    EXPECT_EQ(older.settings.get("skin"), "Blue");
    EXPECT_EQ(older.settings.get("def-bank-path"), "E:\\P\\");
    older.settings.set("skin", "Ivory");
    EXPECT_EQ(older.onDisk(), "skin\nIvory\ndef-bank-path\nE:\\P\\\nsize\nscreen\nanalyzer\noutput\n");
}
