// The block-wise signal path on each of its instruction sets: against the
// scalar model however the host cuts its blocks, at every sample rate, with
// values that change mid-block; and the control ticks of a block-wise run.
#include "chainmodel.h"
#include "equalizer.h"

#include "framework/plugin/log10map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

const Framework::Log10map bellWidth(0.0025, 0.95);
const Framework::Log10map shelfWidth(0.08090169943749476, 1.77);

// The band's coefficients as the equalizer designs them for the sound at rate fs.
Coefficients heard(Vex& v, int band, double fs)
{
    return Filterdesign::designBand(v.getValue(5 * band), v.getValue(5 * band + 4), v.getValue(5 * band + 1),
                                    v.getValue(5 * band + 3) * v.getValue(36), v.getValue(5 * band + 2), band, fs,
                                    bellWidth, shelfWidth);
}

// What the model hears from the next tick on: the targets of the equalizer.
struct Heard {
    std::array<Coefficients, 7> sections;
    double volume;
    int mode;
};

Heard targets(Vex& v, double rate)
{
    Heard h{};
    for (int b = 0; b < 7; ++b)
        h.sections[static_cast<std::size_t>(b)] = heard(v, b, 2.0 * rate);
    h.volume = v.getValue(37);
    h.mode = static_cast<int>(v.getValue(38));
    return h;
}

// A new gain, filter kind, volume and output mode.
void change(Vex& v)
{
    v.setValue(-7.0, 5 * 3 + 3, true);
    v.setValue(0.0, 5 * 6 + 4, true);
    v.setValue(4000.0, 5 * 6 + 1, true);
    v.setValue(0.5, 37, true);
    v.setValue(2.0, 38, true);
}

struct Case {
    Chain::Path path;
    float rate;
    int block;
    bool inPlace;
};

// The largest difference between the equalizer and the model on stereo
// noise, relative to the model's peak output. The host sends blocks of
// case.block frames; before the block that holds frame changeAt the settings
// change, and the model hears the change from the first tick at or after
// that block's start (ticks fall every rate / 500 samples, the first after
// one interval), the output mode, read once per block, from the block after
// that tick.
template <class Sample> double differenceFromModel(const Case& c)
{
    Equalizer eq;
    Vex& v = *eq.vex;
    if (!v.usePath(c.path))
        return 0.0;
    everyBandActive(v);
    eq.setSampleRate(c.rate);
    const int interval = static_cast<int>(c.rate) / 500;
    const int frames = 12 * interval + 6000;
    const int changeAt = frames - 1500;

    std::mt19937 random(11);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<Sample> in[2], out[2];
    for (auto& channel : in) {
        channel.resize(static_cast<std::size_t>(frames));
        for (Sample& s : channel)
            s = static_cast<Sample>(noise(random));
    }
    out[0] = in[0];
    out[1] = in[1];

    Chainmodel model;
    Heard next = targets(v, c.rate);
    int switchAt = interval;
    int modeAt = frames;
    double worst = 0.0, peak = 0.0;
    for (int start = 0; start < frames; start += c.block) {
        const int count = std::min(c.block, frames - start);
        if (start <= changeAt && changeAt < start + count) {
            change(v);
            next = targets(v, c.rate);
            switchAt = std::max(interval, (start + interval - 1) / interval * interval);
            modeAt = (switchAt / c.block + 1) * c.block;
        }
        const Sample* inputs[2] = {in[0].data() + start, in[1].data() + start};
        Sample* outputs[2] = {out[0].data() + start, out[1].data() + start};
        if (c.inPlace)
            v.process(outputs, outputs, count);
        else
            v.process(inputs, outputs, count);
        for (int n = start; n < start + count; ++n) {
            if (n == switchAt) {
                model.sections = next.sections;
                model.volume = next.volume;
            }
            if (n == modeAt)
                model.mode = next.mode;
            const auto expected = model.process(in[0][static_cast<std::size_t>(n)], in[1][static_cast<std::size_t>(n)]);
            // Stored as Sample: the ThreadSanitizer build was seen to drop a
            // plain narrowing cast here.
            const volatile Sample narrowed[2] = {static_cast<Sample>(expected.first),
                                                 static_cast<Sample>(expected.second)};
            const double e[2] = {static_cast<double>(narrowed[0]), static_cast<double>(narrowed[1])};
            for (int ch = 0; ch < 2; ++ch) {
                const double actual = static_cast<double>(out[ch][static_cast<std::size_t>(n)]);
                worst = std::max(worst, std::fabs(actual - e[ch]));
                peak = std::max(peak, std::fabs(e[ch]));
            }
        }
    }
    return worst / peak;
}

// The bound for the FMA path: its results differ from SSE2 by rounding only,
// which sections with poles close to the unit circle (low corners at high
// rates) magnify to a few 1e-12 of the output.
constexpr double fusedBound = 1e-11;

double bound(Chain::Path path)
{
    return path == Chain::Path::sse2 ? 0.0 : fusedBound;
}

const Chain::Path paths[] = {Chain::Path::sse2, Chain::Path::fma};

} // namespace

TEST(Blockwise, MatchesTheModelHoweverTheHostCutsItsBlocks)
{
    for (Chain::Path path : paths) {
        // Blocks of one frame up to blocks far larger than the internal chunk.
        for (int block : {1, 7, 64, 511, 4096}) {
            const Case c{path, 48000.0f, block, block % 2 == 1};
            EXPECT_LE(differenceFromModel<double>(c), bound(path)) << "block " << block;
        }
    }
}

TEST(Blockwise, MatchesTheModelAtEverySampleRate)
{
    for (Chain::Path path : paths)
        for (float rate : {22050.0f, 44100.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f})
            EXPECT_LE(differenceFromModel<double>({path, rate, 300, false}), bound(path)) << rate;
}

TEST(Blockwise, FloatBlocksMatchTheModelNarrowedToFloat)
{
    for (Chain::Path path : paths)
        for (int block : {64, 4096})
            EXPECT_LE(differenceFromModel<float>({path, 44100.0f, block, true}), path == Chain::Path::sse2 ? 0.0 : 1e-6)
                << block;
}

TEST(Blockwise, PathsAreChosenOnlyWhereTheProcessorHasThem)
{
    Equalizer eq;
    EXPECT_TRUE(eq.vex->usePath(Chain::Path::sse2));
    EXPECT_EQ(eq.vex->usePath(Chain::Path::fma), Chain::supports(Chain::Path::fma));
    // A fresh chain takes the fastest path there is.
    EXPECT_EQ(Chain().path(), Chain::supports(Chain::Path::fma) ? Chain::Path::fma : Chain::Path::sse2);
}

TEST(Blockwise, OneNonFiniteInputCostsOneBlock)
{
    for (Chain::Path path : paths) {
        Equalizer eq;
        if (!eq.vex->usePath(path))
            continue;
        everyBandActive(*eq.vex);
        eq.setSampleRate(48000.0f);
        for (double poison : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
            std::vector<double> left(256, 0.1), right(256, -0.1);
            left[100] = poison;
            double* channels[2] = {left.data(), right.data()};
            eq.vex->process(channels, channels, 256);
            EXPECT_FALSE(std::isfinite(left[200]));
            std::fill(left.begin(), left.end(), 0.1);
            std::fill(right.begin(), right.end(), -0.1);
            eq.vex->process(channels, channels, 256);
            for (int n = 0; n < 256; ++n)
                ASSERT_TRUE(std::isfinite(left[n]) && std::isfinite(right[n])) << n;
        }
    }
}

// Ticks driven piece by piece fall on the samples where ticks driven sample
// by sample fall, before a sample rate, at a rate and after a rate change.
TEST(Blockwise, TicksOfPiecesFallWhereSampleTicksFall)
{
    Equalizer bySample, byPiece;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> limit(1, 300);
    for (float rate : {0.0f, 48000.0f, 1000.0f, 44100.0f}) {
        if (rate > 0.0f) {
            bySample.setSampleRate(rate);
            byPiece.setSampleRate(rate);
        }
        std::vector<int> expected, actual;
        for (int n = 0; n < 5000; ++n)
            if (bySample.vex->tick())
                expected.push_back(n);
        for (int n = 0; n < 5000;) {
            bool ticked = false;
            const int count = byPiece.vex->tickPiece(std::min(limit(random), 5000 - n), ticked);
            ASSERT_GE(count, 1);
            if (ticked)
                actual.push_back(n);
            n += count;
        }
        EXPECT_EQ(actual, expected) << rate;
    }
}
