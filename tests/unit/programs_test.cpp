// Programs, banks and the host's chunks.
#include "equalizer.h"

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
    Vexprogram programChunk()
    {
        void* data = nullptr;
        EXPECT_EQ(vex.getProgramChunk(&data), 336);
        Vexprogram copy;
        std::memcpy(&copy, data, sizeof copy);
        return copy;
    }
    std::vector<char> bankChunk()
    {
        void* data = nullptr;
        EXPECT_EQ(vex.getBankChunk(&data), 42960);
        const char* bytes = static_cast<const char*>(data);
        return std::vector<char>(bytes, bytes + 42960);
    }
};

} // namespace

TEST_F(Programs, ProgramChunkIsTheEditBuffer)
{
    vex.setValue(1234.0, 1, true); // band 1 frequency
    eq.setSampleRate(44100.0f);
    for (int n = 0; n < 89; ++n)
        eq.process(0.0, 0.0);
    const Vexprogram chunk = programChunk();
    EXPECT_NEAR(chunk.values[0], 1234.0, 1e-9);
    EXPECT_STREQ(chunk.name, "init");
    EXPECT_EQ(offsetof(Vexprogram, name), 312u);
}

TEST_F(Programs, WrongSizedChunksAreIgnored)
{
    Vexprogram other = programChunk();
    other.values[0] = 777.0;
    vex.setProgramChunk(&other, 335);
    vex.setProgramChunk(nullptr, 336);
    EXPECT_EQ(programChunk().values[0], 50.0);

    vex.setProgramChunk(&other, 336);
    EXPECT_EQ(programChunk().values[0], 777.0);
    EXPECT_NEAR(vex.getValue(1), 777.0, 1e-9) << "parameters follow the chunk";
}

TEST_F(Programs, BankChunkRoundTripCommitsOnlyTheCurrentProgram)
{
    std::vector<char> bank = bankChunk();
    Vexbank& record = *reinterpret_cast<Vexbank*>(bank.data());
    for (int p = 0; p < 127; ++p) {
        record.programs[p].values[0] = 100.0 + p;
        std::snprintf(record.programs[p].name, sizeof record.programs[p].name, "Preset %d", p);
    }
    std::strcpy(record.name, "My bank");
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
    std::vector<char> bank = bankChunk();
    bank[0] ^= 0x55;
    vex.setBankChunk(bank.data(), 42959);
    EXPECT_EQ(eq.host.current, 3);
    EXPECT_NEAR(vex.getValue(1), 999.0, 1e-9);
    EXPECT_NE(bankChunk()[0], bank[0]);
}

// A session saved on program 17 with an edit reopens on it, with the edit,
// whether the host sets the program before the chunk, after it or not at
// all; a chunk of 1.0.0, which names no program, keeps the one the host set.
TEST_F(Programs, SessionsReopenOnTheirProgramWithItsEdits)
{
    const int gain = Vexparameters::index(3, Vexparameters::gain);
    switchTo(17);
    vex.setValue(6.0, gain, true);
    const std::vector<char> saved = bankChunk();
    std::vector<char> unmarked = saved;
    std::memset(reinterpret_cast<Vexbank*>(unmarked.data())->current, 0, 4);
    const std::vector<char>& old = unmarked;

    enum Order { programThenChunk, chunkThenProgram, chunkAlone };
    for (const std::vector<char>* chunk : {&saved, &old})
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
            const bool back = chunk == &saved || order != chunkAlone;
            SCOPED_TRACE(testing::Message() << (chunk == &saved ? "marked" : "1.0.0") << " chunk, order " << order);
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
    const std::vector<char> before = bankChunk();
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
    void* data = nullptr;
    vex.getBankChunk(&data);
    EXPECT_NEAR(static_cast<Vexbank*>(data)->programs[0].values[0], 4321.0, 1e-9);
}

TEST_F(Programs, BankRoundTripIsExactAfterAudioHasRun)
{
    std::vector<char> bank = bankChunk();
    Vexbank& record = *reinterpret_cast<Vexbank*>(bank.data());
    for (int p = 0; p < 127; ++p)
        for (int i = 0; i < 35; i += 5) {
            record.programs[p].values[i] = 20.0 * std::pow(1.0123, p + i); // frequencies off any grid
            record.programs[p].values[i + 1] = -35.9 + 0.173 * (p + i);    // gains
        }
    vex.setBankChunk(bank.data(), static_cast<int>(bank.size()));
    eq.setSampleRate(44100.0f);
    for (int n = 0; n < 500; ++n)
        eq.process(0.1, -0.1);
    EXPECT_EQ(bankChunk(), bank) << "loading, echoing to the host and ticking change no bit";
}
