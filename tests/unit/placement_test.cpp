// Bands on left, right, mid or side, and the outer bands' steeper slopes:
// the chain against the model for mixed arrangements, what each placement
// and slope does to a sine, and a placement switched while a sine plays.
#include "chainmodel.h"
#include "equalizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

using P = Vexparameters::Placement;
const double pi = 3.14159265358979323846;

// Band 1 a 48 dB high-pass, band 7 a 36 dB low-pass, bells between, for
// the chain and the model.
void design(const P (&placements)[7], Chain::Band (&bands)[7], Chainmodel& model)
{
    for (int b = 0; b < 7; ++b) {
        const double values[] = {1.0,
                                 40.0 * std::pow(2.0, 1.4 * b),
                                 0.4,
                                 b % 2 ? 9.0 : -7.0,
                                 b == 0   ? 0.0
                                 : b == 6 ? 2.0
                                          : 1.0,
                                 0.0,
                                 b == 0 ? 3.0 : 2.0};
        Chain::Band& band = bands[b];
        band.count = Filterdesign::designSections(values, b, 1.0, 96000.0, band.sections);
        band.placement = placements[b];
        const auto u = static_cast<std::size_t>(b);
        model.sections[u] = band.sections[0];
        model.furtherCount[u] = band.count - 1;
        std::copy(band.sections + 1, band.sections + band.count, model.further[u].begin());
        model.placement[u] = placements[b];
    }
}

// The gain in dB at f of the part of a stereo sine (different on left and
// right) that a band on p acts on, and of the other part, after settling.
std::pair<double, double> partGains(Equalizer& eq, P p, double f, double rate)
{
    const auto parts = [p](double l, double r) {
        const double m = (l + r) / 2, s = (l - r) / 2;
        return p == P::mid     ? std::make_pair(m, s)
               : p == P::side  ? std::make_pair(s, m)
               : p == P::right ? std::make_pair(r, l)
                               : std::make_pair(l, r);
    };
    double sums[4][2] = {}; // in and out of each part, as cosine and sine sums
    for (int n = 0; n < 33600; ++n) {
        const double w = 2.0 * pi * f * n / rate, l = std::sin(w), r = 0.4 * std::sin(w + 2.0);
        const auto y = eq.process(l, r);
        const auto in = parts(l, r), out = parts(y.first, y.second);
        const double values[4] = {in.first, in.second, out.first, out.second};
        for (int k = 0; n >= 24000 && k < 4; ++k) {
            sums[k][0] += values[k] * std::cos(w);
            sums[k][1] += values[k] * std::sin(w);
        }
    }
    const auto power = [&](int k) { return sums[k][0] * sums[k][0] + sums[k][1] * sums[k][1]; };
    return {10.0 * std::log10(power(2) / power(0)), 10.0 * std::log10(power(3) / power(1))};
}

} // namespace

// Mixed domains cut the sections into runs that convert on the way, also
// across the pieces' edges: noise in pieces of any size against the model.
TEST(Placement, ChainMatchesTheModelInEveryArrangement)
{
    const P arrangements[][7] = {{P::mid, P::mid, P::side, P::mid, P::side, P::side, P::mid},
                                 {P::stereo, P::mid, P::left, P::stereo, P::side, P::right, P::stereo},
                                 {P::side, P::stereo, P::stereo, P::right, P::stereo, P::stereo, P::mid},
                                 {P::left, P::right, P::left, P::stereo, P::right, P::left, P::right}};
    for (Chain::Path path : {Chain::Path::sse2, Chain::Path::fma})
        for (const auto& placements : arrangements) {
            Chain chain;
            if (!chain.use(path))
                continue;
            Chain::Band bands[7];
            Chainmodel model;
            design(placements, bands, model);
            chain.configure(bands, 0);
            std::mt19937 random(5);
            std::uniform_real_distribution<double> noise(-1.0, 1.0);
            std::vector<double> left(20000), right(20000);
            for (std::size_t i = 0; i < left.size(); ++i) {
                left[i] = noise(random);
                right[i] = 0.3 * left[i] + noise(random);
            }
            const std::vector<double> inLeft = left, inRight = right;
            double* channels[2] = {left.data(), right.data()};
            for (int done = 0, count = 1; done < 20000; done += count) {
                count = std::min(20000 - done, 1 + static_cast<int>(random() % Chain::chunk));
                chain.process(channels, channels, done, count, 1.0, 0);
            }
            double worst = 0.0, peak = 0.0;
            for (std::size_t i = 0; i < left.size(); ++i) {
                const auto expected = model.process(inLeft[i], inRight[i]);
                worst = std::max({worst, std::fabs(left[i] - expected.first), std::fabs(right[i] - expected.second)});
                peak = std::max({peak, std::fabs(expected.first), std::fabs(expected.second)});
            }
            EXPECT_LE(worst / peak, 1e-11) << static_cast<int>(path) << " " << static_cast<int>(placements[0]);
        }
}

// Band 4 at +12 dB and 1 kHz boosts the part its placement names and leaves
// the other alone.
TEST(Placement, BandChangesOnlyItsPart)
{
    for (P p : {P::mid, P::side, P::left, P::right}) {
        Equalizer eq;
        eq.vex->setValue(1000.0, 5 * 3 + 1, true);
        eq.vex->setValue(12.0, 5 * 3 + 3, true);
        eq.vex->setValue(static_cast<double>(p), Vexparameters::index(3, Vexparameters::placement), true);
        eq.setSampleRate(48000.0f);
        const auto gains = partGains(eq, p, 1000.0, 48000.0);
        EXPECT_NEAR(gains.first, 12.0, 0.05) << static_cast<int>(p);
        EXPECT_NEAR(gains.second, 0.0, 0.05) << static_cast<int>(p);
    }
}

// The outer bands' high-pass and low-pass at 24, 36 and 48 dB per octave,
// one and two octaves beyond a 2 kHz corner, against the Butterworth
// response on the warped frequency axis of the 96 kHz design.
TEST(Slopes, AttenuateAsDesignedBeyondTheCorner)
{
    const double rate = 48000.0, corner = 2000.0;
    const auto warped = [&](double f) { return std::tan(pi * f / (2.0 * rate)); };
    for (int band : {0, 6})
        for (int step = 1; step <= 3; ++step) {
            Equalizer eq;
            eq.vex->setValue(corner, 5 * band + 1, true);
            eq.vex->setValue(band == 0 ? 0.0 : 2.0, 5 * band + 4, true);
            eq.vex->setValue(step, Vexparameters::index(band, Vexparameters::slope), true);
            eq.setSampleRate(static_cast<float>(rate));
            for (double octaves : {1.0, 2.0}) {
                const double f = corner * std::pow(2.0, band == 0 ? -octaves : octaves);
                const double ratio = std::pow(warped(f) / warped(corner), band == 0 ? -1.0 : 1.0);
                const double design = -10.0 * std::log10(1.0 + std::pow(ratio, 4.0 * (step + 1)));
                EXPECT_NEAR(partGains(eq, P::stereo, f, rate).first, design, 1.0) << band << step << octaves;
            }
        }
}

// A band switched from both channels to mid while a sine plays: the new
// arrangement fades in, so no step between samples exceeds the steady ones.
// Switched at once, the side's boost drops in one sample.
TEST(Placement, SwitchWhilePlayingFadesIn)
{
    const double rate = 48000.0, f = 1000.0;
    const auto largestStep = [&](int fadePairs, int switchAt) {
        Chain chain;
        Chain::Band bands[7];
        for (Chain::Band& band : bands)
            band = {{Coefficients::identity()}, 1, P::stereo};
        bands[3].sections[0] = Filterdesign::bell(12.0, f, 0.5, 2.0 * rate);
        chain.configure(bands, 0);
        double steady = 0.0, switching = 0.0, last = 0.0;
        for (int n = 0; n < 14400; ++n) {
            if (n == switchAt) {
                bands[3].placement = P::mid;
                chain.configure(bands, fadePairs);
            }
            double left = std::sin(2.0 * pi * f * n / rate), right = -0.2 * left;
            double* channels[2] = {&left, &right};
            chain.process(channels, channels, 0, 1, 1.0, 0);
            const double step = std::fabs(left - last);
            last = left;
            if (n > 4800 && (n < switchAt || n > switchAt + 1000))
                steady = std::max(steady, step);
            else if (n >= switchAt)
                switching = std::max(switching, step);
        }
        return switching / steady;
    };
    // Switches at points over one cycle of the sine.
    double faded = 0.0, sudden = 0.0;
    for (int switchAt = 9600; switchAt < 9648; switchAt += 4) {
        faded = std::max(faded, largestStep(static_cast<int>(0.005 * 2.0 * rate), switchAt));
        sudden = std::max(sudden, largestStep(0, switchAt));
    }
    EXPECT_LE(faded, 1.05);
    EXPECT_GT(sudden, 1.5);
}
