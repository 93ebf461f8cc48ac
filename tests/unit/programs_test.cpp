// Programs, banks and the host's chunks.
#include "equalizer.h"
#include "records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct Programs : testing::Test {
    Equalizer eq;
    Vex& vex = *eq.vex;

    void switchTo(int program)
    {
        eq.host.current = program;
        vex.setProgram(program);
    }
    Vexprogram programChunk() { return Records::program(programBytes().data(), programBytes().size()); }
    Records::Bytes programBytes()
    {
        void* data = nullptr;
        const int size = vex.getProgramChunk(&data);
        EXPECT_EQ(size, 40 + 8 * 48);
        const auto* bytes = static_cast<const unsigned char*>(data);
        return Records::Bytes(bytes, bytes + size);
    }
    Records::Bytes bankChunk()
    {
        void* data = nullptr;
        const int size = vex.getBankChunk(&data);
        EXPECT_EQ(size, 304 + 128 * (40 + 8 * 48) + 8);
        const auto* bytes = static_cast<const unsigned char*>(data);
        return Records::Bytes(bytes, bytes + size);
    }
    Vexbank bankRecord()
    {
        const Records::Bytes bytes = bankChunk();
        return Records::bank(bytes.data(), bytes.size());
    }
};

} // namespace

TEST_F(Programs, ProgramChunkIsTheEditBuffer)
{
    vex.setValue(1234.0, 1, true); // band 1 frequency
    eq.setSampleRate(44100.0f);
    for (int n = 0; n < 89; ++n)
        eq.process(0.0, 0.0);
    const Records::Bytes bytes = programBytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "vxpr");
    const Vexprogram chunk = programChunk();
    EXPECT_NEAR(chunk.values[0], 1234.0, 1e-9);
    EXPECT_STREQ(chunk.name, "init");
}

// Records of the first release load with the appended parameters at their
// defaults, a later version's longer records load what this one knows, and
// anything else (a cut record, a later format, a lying size) changes nothing.
TEST_F(Programs, RecordsOfEveryVersionLoadAndOthersChangeNothing)
{
    const int placement4 = Vexparameters::index(3, Vexparameters::placement);
    const int slope1 = Vexparameters::index(0, Vexparameters::slope);
    vex.setValue(3.0, placement4, true);
    vex.setValue(2.0, slope1, true);
    Vexprogram other = programChunk();
    other.values[0] = 777.0;

    Records::Bytes cut = Records::program(other);
    cut.pop_back();
    Records::Bytes later = Records::program(other);
    later[4] = 3;
    Records::Bytes lying = Records::program(other);
    lying[8] ^= 8;
    Records::Bytes huge = Records::program(other);
    huge[15] = 0x40; // claims a billion values
    for (const Records::Bytes* bad : {&cut, &later, &lying, &huge}) {
        vex.setProgramChunk(bad->data(), static_cast<int>(bad->size()));
        EXPECT_EQ(programChunk().values[0], 50.0);
    }
    vex.setProgramChunk(nullptr, 336);
    EXPECT_EQ(programChunk().values[0], 50.0);
    Vexprogram untouched = other;
    const Framework::Programrecords::Program view{untouched.values, untouched.name};
    EXPECT_FALSE(Records::layout().readProgram(cut.data(), 0, view, view)) << "a record has a header";
    EXPECT_EQ(untouched.values[0], 777.0);
    EXPECT_NEAR(vex.getValue(placement4), 3.0, 1e-9);

    const Records::Bytes first = Records::firstProgram(other);
    ASSERT_EQ(first.size(), 336u);
    vex.setProgramChunk(first.data(), 336);
    EXPECT_EQ(programChunk().values[0], 777.0);
    EXPECT_NEAR(vex.getValue(1), 777.0, 1e-9) << "parameters follow the chunk";
    EXPECT_EQ(vex.getValue(placement4), 0.0) << "defaults for what the first release lacked";
    EXPECT_EQ(vex.getValue(slope1), 0.0);

    // A later version's record: two more values and a different size.
    Records::Bytes longer = Records::program(other);
    longer.insert(longer.end(), 16, 0x11);
    longer[8] = static_cast<unsigned char>(longer.size());
    longer[9] = static_cast<unsigned char>(longer.size() >> 8);
    longer[12] = 50;
    vex.setProgramChunk(longer.data(), static_cast<int>(longer.size()));
    EXPECT_NEAR(vex.getValue(placement4), 3.0, 1e-9);
    EXPECT_NEAR(vex.getValue(slope1), 2.0, 1e-9);
    EXPECT_EQ(programBytes(), Records::program(other)) << "what this version knows, byte for byte";
}

TEST_F(Programs, BankChunkRoundTripCommitsOnlyTheCurrentProgram)
{
    Vexbank record = bankRecord();
    for (int p = 0; p < 127; ++p) {
        record.programs[p].values[0] = 100.0 + p;
        record.programs[p].values[Vexparameters::firstPlacement + p % 7] = p % 5;
        std::snprintf(record.programs[p].name, sizeof record.programs[p].name, "Preset %d", p);
    }
    std::strcpy(record.name, "My bank");
    const Records::Bytes bank = Records::bank(record, 0);
    switchTo(5);
    vex.setBankChunk(bank.data(), static_cast<int>(bank.size()));
    EXPECT_EQ(eq.host.current, 0) << "the program current when the chunk was taken";
    EXPECT_EQ(vex.getBankName(), "My bank");
    EXPECT_EQ(bankChunk(), bank);
    EXPECT_EQ(vex.getProgramName(126), "Preset 126");
}

TEST_F(Programs, WrongSizedBankChunkChangesNothing)
{
    switchTo(3);
    vex.setValue(999.0, 1, true);
    Records::Bytes bank = bankChunk();
    bank[305] ^= 0x55;
    for (int size : {static_cast<int>(bank.size()), static_cast<int>(bank.size()) - 1, 42959}) {
        vex.setBankChunk(bank.data(), size);
        EXPECT_EQ(eq.host.current, 3);
        EXPECT_NEAR(vex.getValue(1), 999.0, 1e-9);
    }
    EXPECT_NE(bankChunk()[305], bank[305]);
}

// A session saved on program 17 with an edit reopens on it, with the edit,
// whether the host sets the program before the chunk, after it or not at
// all; a chunk of 1.0.0, which names no program, keeps the one the host set.
TEST_F(Programs, SessionsReopenOnTheirProgramWithItsEdits)
{
    const int gain = Vexparameters::index(3, Vexparameters::gain);
    switchTo(17);
    vex.setValue(6.0, gain, true);
    const Records::Bytes saved = bankChunk();
    Vexbank record = Records::bank(saved.data(), saved.size());
    const Records::Bytes marked = Records::firstBank(record, true, 17);
    const Records::Bytes old = Records::firstBank(record, false, 0);
    ASSERT_EQ(old.size(), 42960u);

    enum Order { programThenChunk, chunkThenProgram, chunkAlone };
    for (const Records::Bytes* chunk : {&saved, &marked, &old})
        for (Order order : {programThenChunk, chunkThenProgram, chunkAlone}) {
            Equalizer reopened;
            Vex& fresh = *reopened.vex;
            if (order == programThenChunk) {
                reopened.host.current = 17;
                fresh.setProgram(17);
            }
            fresh.setBankChunk(chunk->data(), static_cast<int>(chunk->size()));
            if (order == chunkThenProgram) {
                reopened.host.current = 17;
                fresh.setProgram(17);
            }
            const bool back = chunk != &old || order != chunkAlone;
            SCOPED_TRACE(testing::Message() << (chunk == &saved    ? "current"
                                                : chunk == &marked ? "marked"
                                                                   : "1.0.0")
                                            << " chunk, order " << order);
            EXPECT_EQ(reopened.host.current, back ? 17 : 0);
            EXPECT_NEAR(fresh.getValue(gain), back ? 6.0 : 0.0, 1e-9);
        }
}

TEST_F(Programs, SwitchingAwayDiscardsEdits)
{
    switchTo(3);
    vex.setValue(4000.0, 1, true);
    switchTo(4);
    switchTo(3);
    EXPECT_NEAR(vex.getValue(1), 50.0, 1e-9);
    EXPECT_EQ(eq.host.displayUpdates, 3);
}

TEST_F(Programs, RenamingKeepsTwentyThreeCharacters)
{
    switchTo(2);
    vex.setProgramName(2, "A name far longer than the field");
    EXPECT_EQ(vex.getProgramName(2), "A name far longer than ");
    EXPECT_STREQ(programChunk().name, "A name far longer than ");
    vex.setProgramName(7, "Other");
    EXPECT_EQ(vex.getProgramName(7), "Other");
    EXPECT_STREQ(programChunk().name, "A name far longer than ") << "only the current program's edit buffer";
    EXPECT_EQ(vex.display().text(nullptr), "init") << "the status line shows the new name at the next switch";
    switchTo(2);
    EXPECT_EQ(vex.display().text(nullptr), "A name far longer than ");
}

TEST_F(Programs, ProgramIndexesOutsideTheBankAreRefused)
{
    const Records::Bytes before = bankChunk();
    for (int index : {-1, 127, 1 << 30}) {
        vex.setProgramName(index, "x");
        vex.setProgram(index);
        EXPECT_EQ(vex.getProgramName(index), "");
    }
    EXPECT_EQ(bankChunk(), before);
    EXPECT_EQ(eq.host.displayUpdates, 0);
}

TEST_F(Programs, ChunksCarryChangesThatNoAudioHasMadeLiveYet)
{
    // A host that saves its state while stopped must not lose the last change.
    vex.setValue(4321.0, 1, true);
    EXPECT_NEAR(programChunk().values[0], 4321.0, 1e-9);
    EXPECT_EQ(eq.live(0), 50.0) << "the live value still waits for a tick";
    EXPECT_NEAR(bankRecord().programs[0].values[0], 4321.0, 1e-9);
}

TEST_F(Programs, BankRoundTripIsExactAfterAudioHasRun)
{
    Vexbank record = bankRecord();
    for (int p = 0; p < 127; ++p) {
        for (int i = 0; i < 35; i += 5) {
            record.programs[p].values[i] = 20.0 * std::pow(1.0123, p + i); // frequencies off any grid
            record.programs[p].values[i + 1] = -35.9 + 0.173 * (p + i);    // gains
        }
        record.programs[p].values[Vexparameters::firstSlope + p % 2] = p % 4;
    }
    const Records::Bytes bank = Records::bank(record, 0);
    vex.setBankChunk(bank.data(), static_cast<int>(bank.size()));
    eq.setSampleRate(44100.0f);
    for (int n = 0; n < 500; ++n)
        eq.process(0.1, -0.1);
    EXPECT_EQ(bankChunk(), bank) << "loading, echoing to the host and ticking change no bit";
}
