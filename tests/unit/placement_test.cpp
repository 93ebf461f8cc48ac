// Bands on left, right, mid or side, and the outer bands' steeper slopes:
// the chain against the model for mixed arrangements, what each placement
// and slope does to a sine, and a placement switched while a sine plays.
#include "chainmodel.h"
#include "equalizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using P = Vexparameters::Placement;
const double pi = 3.14159265358979323846;

// Band b's values: a high-pass (band 1) or low-pass (band 7) of slope step
// slope at f, or a bell of gain dB.
void bandValues(int b, double f, double gain, int slope, double (&values)[Vexparameters::bandValueCount])
{
    const double type = b == 0 ? 0.0 : b == 6 ? 2.0 : 1.0;
    const double v[] = {1.0, f, 0.4, gain, type, 0.0, static_cast<double>(slope)};
    std::copy(std::begin(v), std::end(v), std::begin(values));
}

// Band 1 a 48 dB high-pass, band 7 a 36 dB low-pass, bells between.
void design(const P (&placements)[7], double fs, Chain::Band (&bands)[7], Chainmodel& model)
{
    for (int b = 0; b < 7; ++b) {
        double values[Vexparameters::bandValueCount];
        bandValues(b, 40.0 * std::pow(2.0, 1.4 * b), b % 2 ? 9.0 : -7.0, b == 0 ? 3 : 2, values);
        Chain::Band& band = bands[b];
        band.count = Filterdesign::designSections(values, b, 1.0, fs, band.sections);
        band.placement = placements[b];
        const auto u = static_cast<std::size_t>(b);
        model.sections[u] = band.sections[0];
        model.furtherCount[u] = band.count - 1;
        std::copy(band.sections + 1, band.sections + band.count, model.further[u].begin());
        model.placement[u] = placements[b];
    }
}

// Amplitude and phase of f in x (whole cycles) as a complex pair.
std::pair<double, double> tone(const std::vector<double>& x, double f, double rate)
{
    double re = 0.0, im = 0.0;
    for (std::size_t n = 0; n < x.size(); ++n) {
        re += x[n] * std::cos(2.0 * pi * f * n / rate);
        im += x[n] * std::sin(2.0 * pi * f * n / rate);
    }
    return {re, im};
}

double gainDb(std::pair<double, double> out, std::pair<double, double> in)
{
    return 10.0 * std::log10((out.first * out.first + out.second * out.second) /
                             (in.first * in.first + in.second * in.second));
}

// The two parts of a stereo frame a placement splits it into: the one the
// band acts on, and the other.
std::pair<double, double> parts(P p, double left, double right)
{
    if (p == P::left)
        return {left, right};
    if (p == P::right)
        return {right, left};
    const double mid = (left + right) / 2, side = (left - right) / 2;
    return p == P::mid ? std::make_pair(mid, side) : std::make_pair(side, mid);
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
            design(placements, 96000.0, bands, model);
            chain.configure(bands, 0);
            std::mt19937 random(5);
            std::uniform_real_distribution<double> noise(-1.0, 1.0);
            std::uniform_int_distribution<int> piece(1, Chain::chunk);
            double worst = 0.0, peak = 0.0;
            for (int done = 0; done < 20000;) {
                const int count = piece(random);
                std::vector<double> left(static_cast<std::size_t>(count)), right(left);
                for (int i = 0; i < count; ++i) {
                    left[i] = noise(random);
                    right[i] = 0.3 * left[i] + noise(random);
                }
                const std::vector<double> inLeft = left, inRight = right;
                double* channels[2] = {left.data(), right.data()};
                chain.process(channels, channels, 0, count, 1.0, 0);
                for (int i = 0; i < count; ++i) {
                    const auto expected = model.process(inLeft[i], inRight[i]);
                    worst = std::max({worst, std::fabs(left[i] - expected.first),
                                      std::fabs(right[i] - expected.second)});
                    peak = std::max({peak, std::fabs(expected.first), std::fabs(expected.second)});
                }
                done += count;
            }
            EXPECT_LE(worst / peak, 1e-11) << static_cast<int>(path) << " " << static_cast<int>(placements[0]);
        }
}

// Band 4 at +12 dB and 1 kHz boosts the part its placement names and leaves
// the other alone, with different content on left and right.
TEST(Placement, BandChangesOnlyItsPart)
{
    const double rate = 48000.0, f = 1000.0;
    for (P p : {P::mid, P::side, P::left, P::right}) {
        Equalizer eq;
        eq.vex->setValue(f, 5 * 3 + 1, true);
        eq.vex->setValue(12.0, 5 * 3 + 3, true);
        eq.vex->setValue(static_cast<double>(p), Vexparameters::index(3, Vexparameters::placement), true);
        eq.setSampleRate(static_cast<float>(rate));
        std::vector<double> in[2], out[2];
        for (int n = 0; n < 24000 + 4800; ++n) {
            const double left = std::sin(2.0 * pi * f * n / rate);
            const double right = 0.4 * std::sin(2.0 * pi * f * n / rate + 2.0);
            const auto y = eq.process(left, right);
            if (n < 24000)
                continue;
            const auto a = parts(p, left, right), b = parts(p, y.first, y.second);
            in[0].push_back(a.first);
            in[1].push_back(a.second);
            out[0].push_back(b.first);
            out[1].push_back(b.second);
        }
        EXPECT_NEAR(gainDb(tone(out[0], f, rate), tone(in[0], f, rate)), 12.0, 0.05) << static_cast<int>(p);
        EXPECT_NEAR(gainDb(tone(out[1], f, rate), tone(in[1], f, rate)), 0.0, 0.05) << static_cast<int>(p);
    }
}

// The outer bands' high-pass and low-pass at 24, 36 and 48 dB per octave,
// one and two octaves beyond a 2 kHz corner, against the Butterworth
// response on the warped frequency axis of the 96 kHz design. A slope
// leaves a shelf alone.
TEST(Slopes, AttenuateAsDesignedBeyondTheCorner)
{
    const double rate = 48000.0, corner = 2000.0;
    const auto warped = [&](double f) { return std::tan(pi * f / (2.0 * rate)); };
    for (int band : {0, 6})
        for (int step = 1; step <= 3; ++step)
            for (double octaves : {1.0, 2.0}) {
                Equalizer eq;
                eq.vex->setValue(corner, 5 * band + 1, true);
                eq.vex->setValue(band == 0 ? 0.0 : 2.0, 5 * band + 4, true);
                eq.vex->setValue(step, Vexparameters::index(band, Vexparameters::slope), true);
                eq.setSampleRate(static_cast<float>(rate));
                const double f = corner * std::pow(2.0, band == 0 ? -octaves : octaves);
                std::vector<double> in, out;
                for (int n = 0; n < 24000 + 9600; ++n) {
                    const double x = std::sin(2.0 * pi * f * n / rate);
                    const double y = eq.process(x, x).first;
                    if (n >= 24000) {
                        in.push_back(x);
                        out.push_back(y);
                    }
                }
                const double ratio = std::pow(warped(f) / warped(corner), band == 0 ? -1.0 : 1.0);
                const double design = -10.0 * std::log10(1.0 + std::pow(ratio, 4.0 * (step + 1)));
                EXPECT_NEAR(gainDb(tone(out, f, rate), tone(in, f, rate)), design, 1.0)
                    << band << " " << step << " " << octaves;
            }

    Equalizer gentle, steep;
    for (Equalizer* eq : {&gentle, &steep}) {
        eq->vex->setValue(1.0, 4, true); // band 1 a low shelf
        eq->vex->setValue(6.0, 3, true);
        eq->setSampleRate(44100.0f);
    }
    steep.vex->setValue(3.0, Vexparameters::index(0, Vexparameters::slope), true);
    for (int n = 0; n < 3000; ++n) {
        const double x = std::sin(0.01 * n);
        ASSERT_EQ(gentle.process(x, -x), steep.process(x, -x)) << n;
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
