// The equalizer's signal path against an independent model, and the
// behaviour of its output stage, modes and status line.
#include "chainmodel.h"
#include "equalizer.h"

#include "framework/plugin/log10map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

const Framework::Log10map bellWidth(0.0025, 0.95);
const Framework::Log10map shelfWidth(0.08090169943749476, 1.77);

// The band's coefficients as the equalizer designs them for the sound.
Coefficients heard(Equalizer& eq, int band, double fs)
{
    Vex& v = *eq.vex;
    return Filterdesign::designBand(v.getValue(5 * band), v.getValue(5 * band + 4), v.getValue(5 * band + 1),
                                    v.getValue(5 * band + 3) * v.getValue(36), v.getValue(5 * band + 2), band, fs,
                                    bellWidth, shelfWidth);
}

// Peak output amplitude of a sine at f through the equalizer, after settling.
double sineGain(Equalizer& eq, double f, double rate)
{
    const double pi = 3.14159265358979323846;
    double peak = 0.0;
    for (int n = 0; n < 8000; ++n) {
        const double x = std::sin(2.0 * pi * f * n / rate);
        const double y = eq.process(x, x).first;
        if (n > 4000)
            peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

double dB(double gain)
{
    return 20.0 * std::log10(gain);
}

// Runs noise through the equalizer and the model and compares every sample.
// The first tick (sample firstTick) brings the targets: the coefficients and
// main volume from that sample on, the output mode, read before the sample,
// from the next.
void compareWithModel(Equalizer& eq, int firstTick, double fs, int mode)
{
    Chainmodel model;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int n = 1; n <= 4000; ++n) {
        if (n == firstTick) {
            for (int b = 0; b < 7; ++b)
                model.sections[static_cast<std::size_t>(b)] = heard(eq, b, fs);
            model.volume = eq.vex->getValue(37);
        }
        if (n == firstTick + 1)
            model.mode = mode;
        const double left = noise(random), right = noise(random);
        const auto expected = model.process(left, right);
        const auto actual = eq.process(left, right);
        ASSERT_EQ(actual.first, expected.first) << n;
        ASSERT_EQ(actual.second, expected.second) << n;
    }
}

} // namespace

TEST(Signal, MatchesTheModelSampleBySample)
{
    Equalizer eq;
    Vex& v = *eq.vex;
    everyBandActive(v);
    eq.setSampleRate(48000.0f);
    compareWithModel(eq, 97, 96000.0, 0);
}

TEST(Signal, OutputModesMatchTheModel)
{
    for (int mode : {1, 2, 3}) {
        Equalizer eq;
        eq.vex->setValue(3000.0, 26, true);
        eq.vex->setValue(9.0, 28, true);
        eq.vex->setValue(mode, 38, true);
        eq.setSampleRate(44100.0f);
        compareWithModel(eq, 89, 88200.0, mode);
        // Once the transient has passed, both channels carry one signal.
        const auto out = eq.process(0.3, -0.7);
        EXPECT_NEAR(out.first, out.second, 1e-9) << mode;
    }
}

TEST(Signal, FlatChainIsAllPassUpToNyquist)
{
    Equalizer eq;
    eq.setSampleRate(44100.0f);
    for (double f : {100.0, 1000.0, 5000.0, 10000.0, 0.4 * 44100.0})
        EXPECT_NEAR(dB(sineGain(eq, f, 44100.0)), 0.0, 0.03) << f;
    // The two half-band stages form an all-pass pair: no roll-off near Nyquist.
    EXPECT_NEAR(dB(sineGain(eq, 0.48 * 44100.0, 44100.0)), 0.0, 0.1);
}

TEST(Signal, BellBoostIsHeardAtItsFrequency)
{
    Equalizer eq;
    eq.vex->setValue(1000.0, 21, true); // band 5 frequency
    eq.vex->setValue(6.0, 23, true);    // band 5 gain
    eq.setSampleRate(44100.0f);
    EXPECT_NEAR(dB(sineGain(eq, 1000.0, 44100.0)), 6.0, 0.05);
    EXPECT_NEAR(dB(sineGain(eq, 50.0, 44100.0)), 0.0, 0.05);
}

TEST(Signal, MidOfOppositeChannelsIsSilence)
{
    Equalizer eq;
    eq.vex->setValue(2.0, 38, true);
    eq.setSampleRate(44100.0f);
    for (int n = 0; n < 89; ++n)
        eq.process(0.0, 0.0);
    for (int n = 0; n < 1000; ++n) {
        const auto out = eq.process(1.0, -1.0);
        ASSERT_EQ(out.first, 0.0);
        ASSERT_EQ(out.second, 0.0);
    }
}

TEST(Signal, MainVolumeRange)
{
    const double volumes[] = {0.0, 1.0}; // normalized: -36 dB and +12 dB
    const double expected[] = {-36.0, 12.0};
    for (int i = 0; i < 2; ++i) {
        Equalizer eq;
        eq.vex->setNormalized(volumes[i], 37, true);
        eq.setSampleRate(44100.0f);
        EXPECT_NEAR(dB(sineGain(eq, 1000.0, 44100.0)), expected[i], 0.03);
    }
}

TEST(Signal, CurveScaleZeroKeepsTheHighPass)
{
    Equalizer eq;
    eq.vex->setValue(0.0, 4, true);    // band 1: high-pass
    eq.vex->setValue(1000.0, 1, true); // at 1 kHz
    eq.vex->setValue(12.0, 23, true);  // band 5: +12 dB bell at 1 kHz
    eq.vex->setValue(0.0, 36, true);   // curve scale 0
    eq.setSampleRate(44100.0f);
    EXPECT_LT(dB(sineGain(eq, 100.0, 44100.0)), -35.0);
    EXPECT_NEAR(dB(sineGain(eq, 5000.0, 44100.0)), 0.0, 0.1);
    // The display keeps the unscaled bell.
    Coefficients curve[Filterdesign::maxBandSections];
    ASSERT_EQ(eq.vex->display().bandCurve(4, curve), 1);
    EXPECT_NEAR(Filterdesign::magnitudeDb(curve[0], 1000.0 / 88200.0), 12.0, 1e-6);
    EXPECT_FALSE(eq.vex->display().isBandDirty(4));
}

TEST(Signal, TinyOutputsBecomeExactlyZero)
{
    Equalizer eq;
    eq.setSampleRate(44100.0f);
    for (int n = 0; n < 500; ++n) {
        const auto out = eq.process(4e-13, -4e-13);
        ASSERT_EQ(out.first, 0.0);
        ASSERT_EQ(out.second, 0.0);
    }
    EXPECT_NE(eq.process(1e-9, 1e-9).first, 0.0);
}

TEST(Signal, DisabledBandIsTransparent)
{
    Equalizer eq;
    eq.vex->setValue(1000.0, 21, true);
    eq.vex->setValue(24.0, 23, true);
    eq.vex->setValue(0.0, 20, true); // band 5 off
    eq.setSampleRate(44100.0f);
    EXPECT_NEAR(dB(sineGain(eq, 1000.0, 44100.0)), 0.0, 0.03);
}

TEST(Status, BandSummaryAndCurveScale)
{
    Equalizer eq;
    eq.setSampleRate(44100.0f);
    EXPECT_EQ(eq.vex->display().text(nullptr), "Curve scale 1.00");
    eq.vex->setValue(999.999, 1, false);
    EXPECT_EQ(eq.vex->display().text(nullptr), "1: bell 1.00 kHz 0.0 dB");
    eq.vex->setValue(1000.0, 1, false);
    eq.vex->setValue(-0.004, 3, false);
    EXPECT_EQ(eq.vex->display().text(nullptr), "1: bell 1.00 kHz 0.0 dB");
    eq.vex->setValue(-0.5, 36, false);
    EXPECT_EQ(eq.vex->display().text(nullptr), "Curve scale -0.50");
    eq.vex->setValue(250.0, 6, false);
    eq.vex->setValue(6.0, 8, false);
    eq.vex->setNormalized(0.5, 7, false);
    EXPECT_EQ(eq.vex->display().text(nullptr), "2: bell 250 Hz -3.0 dB");
    // The longest summary fills the status line's 26 glyphs; a pass filter
    // tells its slope instead of a gain.
    eq.vex->setValue(1.0, 36, false);
    eq.vex->setValue(0.0, 34, false);
    eq.vex->setValue(12500.0, 31, false);
    eq.vex->setValue(-36.0, 33, false);
    EXPECT_EQ(eq.vex->display().text(nullptr), "7: hi sh 12.5 kHz -36.0 dB");
    eq.vex->setValue(1.0, Vexparameters::index(0, Vexparameters::slope), false);
    eq.vex->setValue(0.0, 4, false);
    eq.vex->setValue(120.0, 1, false);
    EXPECT_EQ(eq.vex->display().text(nullptr), "1: hp 120 Hz 24 dB/oct");
}
