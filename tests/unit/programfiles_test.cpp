// Program files and the bank folder, with real files on disk.
#include "equalizer.h"
#include "records.h"

#include "common/fakehost.h"
#include "framework/platform/headless/headless.h"
#include "module/entry.h"
#include "tools/presets/presetlist.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using Framework::VSTfxpfileio;

namespace {

const VSTfxpfileio fxp(0x6B347739, 39, 1);

Vexprogram namedProgram(const std::string& name, double frequency)
{
    Vexprogram p;
    Vex::defaults(p);
    std::memset(p.name, 0, sizeof p.name);
    name.copy(p.name, 23);
    p.values[0] = frequency;
    return p;
}

// Writes program as a program file of the current format.
bool writeProgram(const Vexprogram& program, const std::string& path)
{
    const Records::Bytes record = Records::program(program);
    return fxp.write(program.name, record.data(), static_cast<int>(record.size()), path);
}

// A program file whose header field at offset is replaced by value.
std::string patched(const std::string& file, std::size_t offset, std::uint32_t value)
{
    std::string bytes = file;
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
    return bytes;
}

} // namespace

TEST(Programfiles, ExtensionTest)
{
    EXPECT_TRUE(fxp.canread("Preset.FXP"));
    EXPECT_TRUE(fxp.canread("a.fxp"));
    EXPECT_FALSE(fxp.canread(".fxp"));
    EXPECT_FALSE(fxp.canread("preset.fxb"));
    EXPECT_FALSE(fxp.canread("preset.fxp.bak"));
    EXPECT_TRUE(fxp.canwrite("b.fXp"));
}

TEST(Programfiles, WrittenFilesReadBackWhole)
{
    Tempfolder dir;
    const Vexprogram program = namedProgram("Bright", 1500.0);
    ASSERT_TRUE(writeProgram(program, dir.file("a.fxp")));
    const std::string file = dir.read("a.fxp");
    ASSERT_EQ(file.size(), 60u + 424u);
    EXPECT_EQ(file.substr(0, 4), "CcnK");
    EXPECT_EQ(file.substr(8, 4), "FPCh");
    EXPECT_EQ(file.substr(28, 6), std::string("Bright"));

    Records::Bytes read(424);
    EXPECT_EQ(fxp.read(read.data(), 424, dir.file("a.fxp")), 424);
    EXPECT_EQ(read, Records::program(program));
    EXPECT_FALSE(writeProgram(program, dir.file("no-folder/a.fxp")));
}

TEST(Programfiles, FilesThatCannotFillASlotDeliverNothing)
{
    Tempfolder dir;
    const Vexprogram program = namedProgram("Good", 1500.0);
    writeProgram(program, dir.file("good.fxp"));
    const std::string good = dir.read("good.fxp");

    struct Case {
        const char* name;
        std::string bytes;
        int delivered;
    };
    const Case cases[] = {
        {"other magic is not examined", "XXXX" + good.substr(4), 424},
        {"foreign effect", patched(good, 16, 0x41424344), 0},
        {"truncated chunk", good.substr(0, 200), 0},
        {"truncated header", good.substr(0, 18), 0},
        {"oversized chunk", patched(good, 56, 425) + "extra", 0},
        {"negative chunk size", patched(good, 56, 0xFFFFFFF0u), 0},
        {"empty file", "", 0},
    };
    for (const Case& c : cases) {
        dir.write("case.fxp", c.bytes);
        Records::Bytes slot(424, 'u');
        EXPECT_EQ(fxp.read(slot.data(), 424, dir.file("case.fxp")), c.delivered) << c.name;
        if (c.delivered == 0) {
            EXPECT_EQ(slot, Records::Bytes(424, 'u')) << c.name;
        }
    }
    EXPECT_EQ(fxp.read(nullptr, 336, dir.file("missing.fxp")), 0);
}

TEST(Bankfolder, FilesFillSlotsInNameOrderAndDefaultsTheRest)
{
    Equalizer eq;
    const fs::path folder = fs::path(eq.dir.path()) / "three";
    fs::create_directories(folder / "sub");
    for (int i : {2, 0, 1}) {
        const Vexprogram p = namedProgram("File " + std::to_string(i), 100.0 * (i + 1));
        writeProgram(p, (folder / ("p" + std::to_string(i) + ".fxp")).string());
        writeProgram(p, (folder / "sub" / ("s" + std::to_string(i) + ".fxp")).string());
    }
    std::ofstream((folder / "notes.txt").string()) << "not a preset";

    EXPECT_TRUE(eq.vex->setbankpath(folder.string()));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(eq.vex->getProgramName(i), "File " + std::to_string(i));
    EXPECT_EQ(eq.vex->getProgramName(3), "init");
    EXPECT_EQ(eq.vex->getProgramName(126), "init");
    EXPECT_EQ(eq.vex->bankfolder().path, folder.string());
    EXPECT_EQ(eq.vex->display().text(nullptr), "File 0") << "program 0 is loaded";
    EXPECT_EQ(eq.host.displayUpdates, 2);
}

// A host stores the program number: the same files, whatever order they were
// written in, fill the same slots, in the order Windows lists them.
TEST(Bankfolder, SlotsFollowNamesNotTheOrderFilesWereMade)
{
    Equalizer eq;
    const std::vector<std::string> byName = {
        "01 Flat", "a b", "A", "a", "Ab", "b", "Zed", "zz", "_mark", "\xc3\xa9t\xc3\xa9", "\xc3\x89t\xc3\xa9z"};
    const std::vector<std::size_t> orders[] = {{6, 2, 9, 0, 10, 4, 1, 7, 3, 8, 5}, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}};
    std::vector<std::string> slots[2];
    for (int machine = 0; machine < 2; ++machine) {
        const fs::path folder = fs::path(eq.dir.path()) / ("machine" + std::to_string(machine));
        fs::create_directories(folder);
        for (std::size_t i : orders[machine])
            writeProgram(namedProgram(byName[i], 1000.0), (folder / (byName[i] + ".fxp")).string());
        ASSERT_TRUE(eq.vex->setbankpath(folder.string()));
        for (std::size_t i = 0; i < byName.size(); ++i) {
            slots[machine].push_back(fs::path(eq.vex->bankfolder().files[i]).filename().string());
            EXPECT_EQ(eq.vex->getProgramName(static_cast<int>(i)), byName[i]) << machine << " slot " << i;
        }
    }
    EXPECT_EQ(slots[0], slots[1]);
}

TEST(Bankfolder, OnlyTheFirst127FilesAreUsed)
{
    Equalizer eq;
    const fs::path folder = fs::path(eq.dir.path()) / "many";
    fs::create_directories(folder);
    for (int i = 199; i >= 0; --i) {
        const Vexprogram p = namedProgram("P" + std::to_string(1000 + i), 1000.0);
        writeProgram(p, (folder / ("p" + std::to_string(1000 + i) + ".fxp")).string());
    }
    eq.vex->setbankpath(folder.string());
    for (int i = 0; i < 127; ++i)
        ASSERT_EQ(eq.vex->getProgramName(i), "P" + std::to_string(1000 + i)) << i;
}

TEST(Bankfolder, UnusableFoldersGiveDefaultPrograms)
{
    Equalizer eq;
    const fs::path onlySub = fs::path(eq.dir.path()) / "only-sub";
    fs::create_directories(onlySub / "presets");
    const Vexprogram p = namedProgram("Deep", 1000.0);
    writeProgram(p, (onlySub / "presets" / "a.fxp").string());
    EXPECT_TRUE(eq.vex->setbankpath(onlySub.string()));
    EXPECT_EQ(eq.vex->getProgramName(0), "init");

    EXPECT_FALSE(eq.vex->setbankpath((fs::path(eq.dir.path()) / "missing").string()));
    EXPECT_EQ(eq.vex->getProgramName(0), "init");
}

TEST(Bankfolder, PathLengthLimit)
{
    Equalizer eq;
    // Build a folder whose path is exactly 259 characters.
    std::string path = eq.dir.path() + "/";
    path += std::string(259 - path.size(), 'b');
    ASSERT_EQ(path.size(), 259u);
    fs::create_directories(path);
    EXPECT_TRUE(eq.vex->setbankpath(path));
    void* data = nullptr;
    const int size = eq.vex->getBankChunk(&data);
    EXPECT_EQ(std::string(Records::bank(data, static_cast<std::size_t>(size)).folder), path);

    const std::string tooLong = path + "c";
    fs::create_directories(tooLong);
    eq.host.displayUpdates = 0;
    EXPECT_FALSE(eq.vex->setbankpath(tooLong));
    EXPECT_EQ(eq.vex->bankfolder().path, path) << "refused: nothing changes";
    EXPECT_EQ(eq.host.displayUpdates, 0);
}

TEST(Bankfolder, MissingFolderAtStartIsReportedOnce)
{
    Tempfolder dir;
    const std::string missing = dir.path() + "/gone/";
    dir.write(Tempfolder::settings, "skin\nRed\ndef-bank-path\n" + missing + "\n");
    Fakehost::reset();
    AEffect* e = VSTPluginMain(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(Framework::Headless::shownErrors().size(), 1u);
    EXPECT_EQ(Framework::Headless::shownErrors()[0], "The currently set bank path: \n\n" + missing +
                                                         "\n\n Can not be found. Please update your bank path via "
                                                         "the options menu.");
    char name[32];
    e->dispatcher(e, effGetProgramNameIndexed, 126, 0, name, 0.0f);
    EXPECT_STREQ(name, "init");
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    EXPECT_NE(dir.read(Tempfolder::settings).find(missing), std::string::npos) << "the setting is kept";
}

TEST(Bankfolder, FactoryBankAgreesWithItsList)
{
    const fs::path source = VEX_SOURCE_DIR;
    std::ifstream in((source / "banks" / "presets.txt").string());
    Presetlist presets;
    ASSERT_TRUE(presets.parse(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())))
        << presets.error();
    ASSERT_GE(presets.programs().size(), 16u);
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(source / "banks" / "default"))
        files += entry.path().extension() == ".fxp";
    EXPECT_EQ(files, presets.programs().size());
    // A preset that uses only what the first release had keeps that
    // release's record, so the files shipped then stay as they were.
    const Vexprogram& flat = presets.programs()[0];
    for (std::size_t i = 0; i < presets.programs().size(); ++i) {
        const Vexprogram& listed = presets.programs()[i];
        const bool first = std::equal(listed.values + vexFirstParameterCount, listed.values + vexParameterCount,
                                      flat.values + vexFirstParameterCount);
        Records::Bytes chunk(1024);
        const fs::path file = source / "banks" / "default" / presets.fileName(i);
        const int size = fxp.read(chunk.data(), 1024, file.string());
        ASSERT_EQ(size, first ? 336 : 424) << file;
        const Vexprogram read = Records::program(chunk.data(), static_cast<std::size_t>(size));
        EXPECT_EQ(std::memcmp(&read, &listed, sizeof read), 0) << file;
    }
}

TEST(Presetlist, MistakesAreReportedWithTheirLine)
{
    Presetlist presets;
    EXPECT_FALSE(presets.parse("[A]\nband 3 = on highpass 100 0 0.5\n"));
    EXPECT_EQ(presets.error(), "line 2: setting out of range or malformed");
    EXPECT_FALSE(presets.parse("band 1 = on bell 100 0 0.5\n"));
    EXPECT_FALSE(presets.parse("[A]\nband 7 = on bell 100 40 0.5\n"));
    EXPECT_FALSE(presets.parse("[" + std::string(24, 'n') + "]\n"));
    EXPECT_TRUE(presets.parse("# c\n[A]\nband 7 = on lowpass 3000 0 0.5\nmode = M\nvolume = -6\n"));
    EXPECT_EQ(presets.programs()[0].values[34], 2.0);
    EXPECT_EQ(presets.programs()[0].values[38], 2.0);
    // A slope belongs to a pass filter; placements are named as the host shows them.
    EXPECT_FALSE(presets.parse("[A]\nband 7 = on highshelf 3000 2 0.5 24dB\n"));
    EXPECT_FALSE(presets.parse("[A]\nband 3 = on bell 300 2 0.5 Mid\n"));
    EXPECT_TRUE(presets.parse("[A]\nband 7 = on lowpass 3000 0 0.5 36dB S\nband 3 = on bell 300 2 0.5 R\n"));
    EXPECT_EQ(presets.programs()[0].values[47], 2.0);
    EXPECT_EQ(presets.programs()[0].values[45], 4.0);
    EXPECT_EQ(presets.programs()[0].values[41], 2.0);
}
