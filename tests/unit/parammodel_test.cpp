// Parameters: maps, targets, control ticks and the automation echo.
#include "equalizer.h"

#include "framework/plugin/linmap.h"
#include "framework/plugin/log10map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using Framework::Linmap;
using Framework::Log10map;

namespace {
// Parameter index and program slot of band 1's frequency.
constexpr int frequency1 = 1;
constexpr int frequencySlot1 = 0;
} // namespace

TEST(Maps, LogarithmicAndLinearValues)
{
    const Log10map hertz(20.0, 20000.0);
    EXPECT_DOUBLE_EQ(hertz.toReal(0.0), 20.0);
    EXPECT_NEAR(hertz.toReal(1.0), 20000.0, 1e-9);
    EXPECT_NEAR(hertz.toReal(0.5), 632.455532, 1e-6);
    EXPECT_NEAR(hertz.toNormalized(1000.0), 0.566323, 1e-6);
    // No clamping: values outside 0..1 extrapolate.
    EXPECT_NEAR(hertz.toReal(2.0), 2e7, 1e-3);
    EXPECT_NEAR(hertz.toReal(-1.0), 0.02, 1e-12);

    const Linmap gain(-36.0, 36.0);
    EXPECT_DOUBLE_EQ(gain.toReal(0.5), 0.0);
    EXPECT_NEAR(gain.toNormalized(12.0), 0.666667, 1e-6);
    EXPECT_DOUBLE_EQ(gain.toReal(1.5), 72.0);
}

TEST(Maps, RangesThatMapNothingAreRefused)
{
    const double nan = std::nan("");
    EXPECT_THROW(Linmap(2.0, 2.0), std::invalid_argument);
    EXPECT_THROW(Linmap(nan, 1.0), std::invalid_argument);
    EXPECT_THROW(Linmap(0.0, INFINITY), std::invalid_argument);
    EXPECT_THROW(Log10map(0.0, 10.0), std::invalid_argument);
    EXPECT_THROW(Log10map(-1.0, 10.0), std::invalid_argument);
    EXPECT_THROW(Log10map(5.0, 5.0), std::invalid_argument);
    EXPECT_NO_THROW(Linmap(1.0, -1.0)) << "a falling range is a range";
}

TEST(Parameters, TableOfNamesGroupsAndAutomation)
{
    Equalizer eq;
    const char* suffixes[] = {" on/off", " f", " q", " g", " type"};
    ASSERT_EQ(eq.vex->parameterCount(), 48);
    for (int i = 0; i < 35; ++i)
        EXPECT_EQ(eq.vex->name(i), std::to_string(i / 5 + 1) + suffixes[i % 5]);
    EXPECT_EQ(eq.vex->name(35), "zoom");
    EXPECT_EQ(eq.vex->name(36), "curve +-");
    EXPECT_EQ(eq.vex->name(37), "main vol");
    EXPECT_EQ(eq.vex->name(38), "out mode");
    for (int i = 39; i < 46; ++i)
        EXPECT_EQ(eq.vex->name(i), std::to_string(i - 38) + " chan");
    EXPECT_EQ(eq.vex->name(46), "1 slope");
    EXPECT_EQ(eq.vex->name(47), "7 slope");
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(eq.vex->automatable(i), i != 35) << i;
    EXPECT_EQ(eq.vex->name(48), "");
    EXPECT_EQ(eq.vex->name(-1), "");
}

TEST(Parameters, TargetsAreSeenBeforeTheTickAndLiveValuesOnIt)
{
    Equalizer eq;
    eq.vex->setNormalized(eq.vex->frequencyMap.toNormalized(1000.0), frequency1, true);
    EXPECT_NEAR(eq.vex->getValue(frequency1), 1000.0, 1e-9);
    EXPECT_EQ(eq.live(frequencySlot1), 50.0) << "no tick before the host sets a sample rate";
    for (int i = 0; i < 1000; ++i)
        eq.process(0.0, 0.0);
    EXPECT_EQ(eq.live(frequencySlot1), 50.0);

    // Out-of-range indexes are ignored.
    eq.vex->setNormalized(0.5, 48, false);
    eq.vex->setNormalized(0.5, -1, false);
    EXPECT_EQ(eq.vex->getNormalized(48), 0.0);
    EXPECT_EQ(eq.vex->getNormalized(-1), 0.0);
}

TEST(Parameters, ChangesLandExactlyOnTicks)
{
    Equalizer eq;
    eq.setSampleRate(44100.0f);
    ASSERT_EQ(eq.vex->tickInterval(), 88);
    // The counter starts at -1 (and moved on during the samples processed
    // before the rate was known, none here): the first tick is sample 89.
    for (int n = 1; n <= 89; ++n) {
        if (n == 50)
            eq.vex->setNormalized(eq.vex->frequencyMap.toNormalized(1000.0), frequency1, true);
        eq.process(0.0, 0.0);
        if (n < 89) {
            ASSERT_EQ(eq.live(frequencySlot1), 50.0) << n;
        }
    }
    EXPECT_NEAR(eq.live(frequencySlot1), 1000.0, 1e-9);

    // A change right after a tick waits the whole interval.
    eq.vex->setNormalized(eq.vex->frequencyMap.toNormalized(2000.0), frequency1, true);
    for (int n = 1; n < 88; ++n) {
        eq.process(0.0, 0.0);
        ASSERT_NEAR(eq.live(frequencySlot1), 1000.0, 1e-9) << n;
    }
    eq.process(0.0, 0.0);
    EXPECT_NEAR(eq.live(frequencySlot1), 2000.0, 1e-9);
}

TEST(Parameters, LoweringTheRateTicksAtTheNextSample)
{
    Equalizer eq;
    eq.setSampleRate(96000.0f);
    for (int n = 0; n < 192 + 150; ++n) // first tick at 193, then 150 more samples
        eq.process(0.0, 0.0);
    eq.setSampleRate(44100.0f);
    eq.vex->setNormalized(eq.vex->frequencyMap.toNormalized(3000.0), frequency1, true);
    eq.process(0.0, 0.0);
    EXPECT_NEAR(eq.live(frequencySlot1), 3000.0, 1e-9);
}

TEST(Parameters, AutomationEcho)
{
    Equalizer eq;
    eq.vex->setNormalized(0.25, 13, true);
    EXPECT_TRUE(eq.host.automated.empty()) << "a host change is not echoed";

    eq.vex->setNormalized(0.25, 13, false);
    ASSERT_EQ(eq.host.automated.size(), 1u);
    EXPECT_EQ(eq.host.automated[0].first, 13);
    EXPECT_FLOAT_EQ(eq.host.automated[0].second, 0.25f);
    EXPECT_EQ(eq.vex->lastTouched(), 13);
    eq.vex->endEdit(Framework::Gesture::pointer);
    EXPECT_EQ(eq.vex->lastTouched(), -1);

    eq.host.automated.clear();
    eq.setSampleRate(48000.0f);
    ASSERT_EQ(eq.host.automated.size(), 48u);
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(eq.host.automated[static_cast<std::size_t>(i)].first, i);
}

TEST(Parameters, SampleRateChangeKeepsTargetsSetBeforeAudio)
{
    // A host restores its values before the first audio; the rate that
    // follows must not revert them to the program's live values.
    Equalizer eq;
    eq.vex->setNormalized(eq.vex->frequencyMap.toNormalized(1234.0), frequency1, true);
    eq.setSampleRate(48000.0f);
    EXPECT_NEAR(eq.vex->getValue(frequency1), 1234.0, 1e-9);
    for (int n = 0; n < 97; ++n)
        eq.process(0.0, 0.0);
    EXPECT_NEAR(eq.live(frequencySlot1), 1234.0, 1e-9);
}

TEST(Parameters, DisplayTextsAndUnits)
{
    Equalizer eq;
    EXPECT_EQ(eq.vex->displayText(0), "on");
    eq.vex->setNormalized(0.5, 0, true);
    EXPECT_EQ(eq.vex->displayText(0), "off");
    EXPECT_EQ(eq.vex->displayText(1), "50.0");
    EXPECT_EQ(eq.vex->displayText(2), "0.6");
    EXPECT_EQ(eq.vex->displayText(3), "0.0");
    EXPECT_EQ(eq.vex->getUnits(3), "dB");
    eq.vex->setValue(0.0, 4, true);
    EXPECT_EQ(eq.vex->displayText(4), "hp");
    eq.vex->setValue(0.0, 19, true);
    EXPECT_EQ(eq.vex->displayText(19), "low sh");
    eq.vex->setValue(2.0, 34, true);
    EXPECT_EQ(eq.vex->displayText(34), "lp");
    eq.vex->setValue(2.999, 24, true);
    EXPECT_EQ(eq.vex->displayText(24), "hi sh");
    EXPECT_EQ(eq.vex->displayText(35), "12.0");
    EXPECT_EQ(eq.vex->displayText(36), "1.0");
    EXPECT_EQ(eq.vex->displayText(37), "0.0");
    EXPECT_EQ(eq.vex->getUnits(37), "dB");
    eq.vex->setNormalized(1.0, 37, true);
    EXPECT_EQ(eq.vex->displayText(37), "12.0");
    EXPECT_EQ(eq.vex->displayText(38), "ST");
    // Placement and slope read back as "type" and "out mode" do.
    const char* places[] = {"ST", "L", "R", "M", "S"};
    for (int step = 0; step <= 8; ++step) {
        eq.vex->setNormalized(step / 8.0, 42, true);
        EXPECT_EQ(eq.vex->displayText(42), places[step / 2]) << step;
    }
    const char* slopes[] = {"12 dB", "24 dB", "36 dB", "48 dB"};
    for (int step = 0; step <= 3; ++step) {
        eq.vex->setNormalized(step / 3.0, 46, true);
        EXPECT_EQ(eq.vex->displayText(46), slopes[step]) << step;
    }
    EXPECT_EQ(eq.vex->displayText(48), "");
}
