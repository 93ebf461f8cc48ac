// Undo and redo through the equalizer: steps follow the editor's gestures,
// reach the host as bracketed automation, and leave the host's own changes be.
#include "equalizer.h"
#include "records.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Framework::Gesture;
using namespace Vexparameters;

std::vector<double> everyValue(Vex& vex)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(vex.getNormalized(i));
    return values;
}

} // namespace

TEST(Undo, StepsAreGesturesAndUndoRestoresOnlyWhatTheyChanged)
{
    Equalizer eq;
    Vex& vex = *eq.vex;
    const int gain4 = index(3, gain), width2 = index(1, width), frequency4 = index(3, frequency);
    const std::vector<double> fresh = everyValue(vex);

    // A drag and a wheel burst: a step each.
    vex.beginEdit(gain4, Gesture::pointer);
    vex.setValue(3.0, gain4, false);
    vex.setValue(6.0, gain4, false);
    vex.endEdit(Gesture::pointer);
    vex.beginEdit(width2, Gesture::wheel);
    vex.setNormalized(0.3, width2, false);
    vex.setNormalized(0.35, width2, false);
    vex.endEdit(Gesture::wheel);
    // The host's automation between them is not a step.
    vex.setNormalized(0.7, frequency4, true);
    const double hostValue = vex.getNormalized(frequency4);
    const std::vector<double> beforeLoad = everyValue(vex);
    // A preset loaded in the editor.
    Vexprogram preset;
    Vex::defaults(preset);
    preset.values[slot(index(2, gain))] = -4.0;
    const Records::Bytes record = Records::program(preset);
    ASSERT_TRUE(vex.loadProgram(record.data(), static_cast<int>(record.size()), "Preset"));
    ASSERT_NE(everyValue(vex), beforeLoad);

    eq.host.edits.clear();
    ASSERT_TRUE(vex.undo());
    EXPECT_EQ(everyValue(vex), beforeLoad) << "exactly the values the load began with";
    ASSERT_FALSE(eq.host.edits.empty());
    EXPECT_EQ(eq.host.edits.front().first, 'b');
    EXPECT_EQ(eq.host.edits.back().first, 'e');

    ASSERT_TRUE(vex.undo());
    EXPECT_EQ(vex.getNormalized(width2), fresh[width2]);
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-12);
    eq.host.edits.clear();
    ASSERT_TRUE(vex.undo());
    EXPECT_EQ(vex.getNormalized(gain4), fresh[gain4]);
    EXPECT_EQ(vex.getNormalized(frequency4), hostValue) << "the host's value stays";
    const std::vector<std::pair<char, int>> bracketed = {{'b', gain4}, {'a', gain4}, {'e', gain4}};
    EXPECT_EQ(eq.host.edits, bracketed);
    EXPECT_FALSE(vex.undo());

    ASSERT_TRUE(vex.redo());
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-12);
    EXPECT_TRUE(vex.canRedo());
    // A new edit drops what could have been redone.
    vex.beginEdit(index(4, gain), Gesture::entry);
    vex.setValue(-2.0, index(4, gain), false);
    vex.endEdit(Gesture::entry);
    EXPECT_FALSE(vex.canRedo());
    EXPECT_FALSE(vex.redo());

    // Nothing is undone in the middle of a gesture, and the history is bounded.
    vex.beginEdit(gain4, Gesture::pointer);
    EXPECT_FALSE(vex.undo());
    vex.endEdit(Gesture::pointer);
    for (int step = 0; step < 150; ++step) {
        vex.beginEdit(gain4, Gesture::wheel);
        vex.setValue(step % 30, gain4, false);
        vex.endEdit(Gesture::wheel);
    }
    int undone = 0;
    while (vex.undo())
        ++undone;
    EXPECT_EQ(undone, Framework::Plugin::undoDepth);
}

// What the host changes while a gesture is open is not the gesture's: an
// entry box closed with Escape leaves no step. A preset load that changes no
// value still renames the program, and undo names it back.
TEST(Undo, OnlyWhatTheUserChangedIsAStep)
{
    Equalizer eq;
    Vex& vex = *eq.vex;
    vex.beginEdit(index(3, gain), Gesture::pointer);
    vex.setNormalized(0.7, index(3, frequency), true);
    vex.setNormalized(0.2, index(5, gain), true);
    vex.endEdit(Gesture::pointer);
    EXPECT_FALSE(vex.canUndo());

    Vexprogram same;
    Vex::defaults(same);
    for (int i = 0; i < count; ++i)
        same.values[slot(i)] = vex.getValue(i);
    const Records::Bytes record = Records::program(same);
    const std::string name = vex.getProgramName(0);
    ASSERT_TRUE(vex.loadProgram(record.data(), static_cast<int>(record.size()), "Same"));
    EXPECT_EQ(vex.getProgramName(0), "Same");
    ASSERT_TRUE(vex.undo());
    EXPECT_EQ(vex.getProgramName(0), name);
    ASSERT_TRUE(vex.redo());
    EXPECT_EQ(vex.getProgramName(0), "Same");
}

// Band 4 is +6 dB in program 0 after an edit; the host brings program 5
// (band 4 at -9 dB) by a program change, a bank chunk or a program chunk.
// Undo then has nothing to undo: program 0's step never reaches program 5.
TEST(Undo, AProgramChangeOrChunkFromTheHostStartsANewHistory)
{
    const int gain4 = index(3, gain);
    Vexbank bank{};
    for (Vexprogram& p : bank.programs)
        Vex::defaults(p);
    bank.programs[5].values[slot(gain4)] = -9.0;
    enum Way { programChange, bankChunk, programChunk };
    for (Way way : {programChange, bankChunk, programChunk}) {
        Equalizer eq;
        Vex& vex = *eq.vex;
        Records::Bytes whole = Records::bank(bank, 0);
        vex.setBankChunk(whole.data(), static_cast<int>(whole.size()));
        vex.beginEdit(gain4, Gesture::pointer);
        vex.setValue(6.0, gain4, false);
        vex.endEdit(Gesture::pointer);
        ASSERT_TRUE(vex.canUndo());
        // A gesture still open when the program changes leaves no step either.
        vex.beginEdit(index(2, gain), Gesture::wheel);
        vex.setValue(2.0, index(2, gain), false);
        if (way == programChange) {
            eq.host.current = 5;
            vex.setProgram(5);
        } else if (way == bankChunk) {
            whole = Records::bank(bank, 5);
            vex.setBankChunk(whole.data(), static_cast<int>(whole.size()));
        } else {
            const Records::Bytes record = Records::program(bank.programs[5]);
            vex.setProgramChunk(record.data(), static_cast<int>(record.size()));
        }
        vex.endEdit(Gesture::wheel);
        EXPECT_FALSE(vex.canUndo()) << way;
        EXPECT_FALSE(vex.undo()) << way;
        EXPECT_EQ(vex.getValue(gain4), -9.0) << way;
    }
}
