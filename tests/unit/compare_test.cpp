// Compare: two settings, A and B, switched as one undo step, saved in the
// session's bank chunk.
#include "equalizer.h"
#include "records.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using Framework::Programrecords;
using namespace Vexparameters;

Records::Bytes bankChunk(Vex& vex)
{
    void* data = nullptr;
    const int size = vex.getBankChunk(&data);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return Records::Bytes(bytes, bytes + size);
}

} // namespace

TEST(Compare, SwitchesAreStepsAndSessionsKeepBothSettings)
{
    Equalizer eq;
    Vex& vex = *eq.vex;
    const int gain4 = index(3, gain), placement2 = index(1, placement);
    vex.setValue(6.0, gain4, true);
    vex.copySetting();
    vex.switchSetting();
    EXPECT_EQ(vex.liveSetting(), Programrecords::b);
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-12) << "a copy is the same setting";
    vex.setValue(-3.0, gain4, true);
    vex.setValue(3.0, placement2, true);

    eq.host.edits.clear();
    vex.switchSetting();
    EXPECT_EQ(vex.liveSetting(), Programrecords::a);
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-12);
    EXPECT_EQ(vex.getValue(placement2), 0.0);
    ASSERT_FALSE(eq.host.edits.empty());
    EXPECT_EQ(eq.host.edits.front(), std::make_pair('b', 0));
    EXPECT_EQ(eq.host.edits.back().first, 'e');
    EXPECT_EQ(std::count(eq.host.edits.begin(), eq.host.edits.end(), std::make_pair('a', zoom)), 0)
        << "only automatable parameters belong to a setting";

    // Undo switches back, redo forth.
    ASSERT_TRUE(vex.undo());
    EXPECT_EQ(vex.liveSetting(), Programrecords::b);
    EXPECT_NEAR(vex.getValue(gain4), -3.0, 1e-12);
    ASSERT_TRUE(vex.redo());
    EXPECT_EQ(vex.liveSetting(), Programrecords::a);
    EXPECT_NEAR(vex.getValue(gain4), 6.0, 1e-12);

    // A session reopens with both settings, A live.
    const Records::Bytes saved = bankChunk(vex);
    Equalizer reopened;
    reopened.vex->setBankChunk(saved.data(), static_cast<int>(saved.size()));
    EXPECT_EQ(reopened.vex->liveSetting(), Programrecords::a);
    EXPECT_NEAR(reopened.vex->getValue(gain4), 6.0, 1e-12);
    reopened.vex->switchSetting();
    EXPECT_NEAR(reopened.vex->getValue(gain4), -3.0, 1e-12);
    EXPECT_NEAR(reopened.vex->getValue(placement2), 3.0, 1e-12);

    // A first-release chunk loads as A, with B the same.
    Vexbank record = Records::bank(saved.data(), saved.size());
    const Records::Bytes old = Records::firstBank(record, false, 0);
    reopened.vex->setBankChunk(old.data(), static_cast<int>(old.size()));
    EXPECT_EQ(reopened.vex->liveSetting(), Programrecords::a);
    reopened.vex->switchSetting();
    EXPECT_NEAR(reopened.vex->getValue(gain4), 6.0, 1e-12);
    EXPECT_EQ(reopened.vex->getValue(placement2), 0.0);
}

// A host may take its bank chunk on its own thread while the editor switches
// A and B: every chunk holds the waiting setting as the other of the live one.
TEST(Compare, BankChunksTakenDuringSwitchesHoldBothSettings)
{
    Equalizer eq;
    Vex& vex = *eq.vex;
    const int gain4 = index(3, gain);
    vex.setValue(6.0, gain4, true);
    vex.copySetting();
    vex.switchSetting();
    vex.setValue(-6.0, gain4, true);
    std::atomic<bool> done{false};
    int wrong = 0, taken = 0;
    std::thread host([&] {
        for (; !done; ++taken) {
            void* data = nullptr;
            const int size = vex.getBankChunk(&data);
            Vexprogram other;
            Programrecords::Live live = Programrecords::none;
            Records::bank(data, static_cast<std::size_t>(size), nullptr, &other, &live);
            wrong += other.values[slot(gain4)] != (live == Programrecords::a ? -6.0 : 6.0);
        }
    });
    for (int i = 0; i < 1000; ++i)
        vex.switchSetting();
    done = true;
    host.join();
    EXPECT_EQ(wrong, 0) << "of " << taken;
}
