// Listening to one band: what it acts on is heard alone, and ending it
// returns to the equalizer's own output exactly.
#include "equalizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Vexparameters;

constexpr double pi = 3.141592653589793;

// The peak of the output's last half for a sine of frequency hz.
double peakOf(Equalizer& eq, double hz, int frames = 9600)
{
    std::vector<double> left(static_cast<std::size_t>(frames)), right(left.size());
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = right[i] = 0.5 * std::sin(2.0 * pi * hz * static_cast<double>(i) / 48000.0);
    double* channels[] = {left.data(), right.data()};
    for (int at = 0; at < frames; at += 480) {
        double* piece[] = {channels[0] + at, channels[1] + at};
        eq.vex->process(piece, piece, 480);
    }
    double peak = 0.0;
    for (std::size_t i = left.size() / 2; i < left.size(); ++i)
        peak = std::max(peak, std::fabs(left[i]));
    return 20.0 * std::log10(peak / 0.5);
}

} // namespace

TEST(Solo, ABellIsHeardAsItsBandPassAndEndsExactly)
{
    Equalizer eq, plain;
    for (Equalizer* e : {&eq, &plain}) {
        e->setSampleRate(48000.0f);
        e->vex->setValue(1000.0, index(3, frequency), true);
        e->vex->setValue(9.0, index(3, gain), true);
    }
    eq.vex->display().listen(3);
    double values[bandValueCount];
    readBand(
        3, [&](int i) { return eq.vex->getValue(i); }, values);
    const Coefficients bandPass = Filterdesign::soloSection(values, 3, 48000.0);
    EXPECT_NEAR(peakOf(eq, 1000.0), 0.0, 0.05) << "the band's frequency at 0 dB, its gain aside";
    for (double hz : {100.0, 10000.0}) {
        const double design = Filterdesign::magnitudeDb(bandPass, hz / 48000.0);
        EXPECT_LT(design, -12.0);
        EXPECT_NEAR(peakOf(eq, hz), design, 0.3) << hz;
    }

    // Ended, the output is the equalizer's own once the fade is over.
    eq.vex->display().listen(Solo::none);
    std::vector<double> a(4800), b(4800);
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = b[i] = std::sin(0.05 * static_cast<double>(i));
    peakOf(plain, 1000.0);
    peakOf(plain, 100.0);
    peakOf(plain, 10000.0);
    std::vector<double> a2(a), b2(b);
    double* first[] = {a.data(), a2.data()};
    double* second[] = {b.data(), b2.data()};
    eq.vex->process(first, first, 4800);
    plain.vex->process(second, second, 4800);
    for (std::size_t i = 480; i < a.size(); ++i)
        ASSERT_EQ(a[i], b[i]) << i;
    for (std::size_t i = 0; i < 240; ++i)
        EXPECT_NE(a[i], b[i]) << "still fading out at " << i;

    // The host's suspending ends it too.
    eq.vex->display().listen(2);
    eq.vex->suspend();
    EXPECT_EQ(eq.vex->display().listened(), Solo::none);
}

// Ending a band's solo, or moving it to another band, fades between steady
// sounds without a step above them: a bell, a high shelf and a low-pass
// (whose solo sections are a band-pass, a high-pass and a high-pass).
TEST(Solo, FadesStayWithinTheSteadyLevels)
{
    struct Case {
        const char* name;
        int band, kind, next;
        double corner, hz;
    };
    const Case cases[] = {{"bell", 3, 1, Solo::none, 1000.0, 1000.0},
                          {"high shelf", 3, 0, Solo::none, 2000.0, 10000.0},
                          {"low-pass", 6, 2, Solo::none, 2000.0, 10000.0},
                          {"shelf to bell", 3, 0, 4, 2000.0, 10000.0},
                          {"bell to low-pass", 4, 1, 6, 3000.0, 10000.0}};
    for (const Case& c : cases) {
        Equalizer eq;
        eq.setSampleRate(48000.0f);
        Vex& vex = *eq.vex;
        vex.setValue(c.kind, index(c.band, type), true);
        vex.setValue(c.corner, index(c.band, frequency), true);
        vex.setValue(6.0, index(c.band, gain), true);
        vex.setValue(2.0, index(6, type), true);
        long n = 0;
        // The peak of a block of the tone, continued from the last block.
        const auto peak = [&](int frames) {
            std::vector<double> left(static_cast<std::size_t>(frames)), right(left.size());
            for (auto& s : left)
                s = 0.5 * std::sin(2.0 * pi * c.hz * static_cast<double>(n++) / 48000.0);
            right = left;
            double* channels[] = {left.data(), right.data()};
            vex.process(channels, channels, frames);
            double most = 0.0;
            for (double s : left)
                most = std::max(most, std::fabs(s));
            return most;
        };
        const auto settle = [&] {
            for (int b = 0; b < 20; ++b)
                peak(480);
            return peak(4800);
        };
        double steady = settle();
        vex.display().listen(c.band);
        steady = std::max(steady, settle());
        vex.display().listen(c.next);
        if (c.next != Solo::none) {
            // Both bands' steady sounds, and the equalizer's own.
            steady = std::max(steady, settle());
            vex.display().listen(c.band);
            settle();
            vex.display().listen(c.next);
        }
        for (int b = 0; b < 20; ++b)
            EXPECT_LT(20.0 * std::log10(peak(64) / steady), 0.1) << c.name << " block " << b;
    }
}
