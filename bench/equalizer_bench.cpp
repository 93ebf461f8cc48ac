// Throughput of the equalizer's signal path on each of its instruction sets
// (sse2, fma) and the cost of parameter changes.
#include "equalizer.h"

#include "framework/vst/denormalguard.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <vector>

namespace {

constexpr int blockFrames = 512;

// Seven active bands of every kind at 48 kHz, settled, on the path; false
// (and the benchmark skipped) when the processor lacks it.
bool activate(benchmark::State& state, Equalizer& eq, Chain::Path path)
{
    if (!eq.vex->usePath(path)) {
        state.SkipWithError("the processor lacks this path's instructions");
        return false;
    }
    const double gains[] = {0, 6, -9, 12, -3, 4.5, -12};
    const double types[] = {0, 1, 2, 1, 0, 1, 2};
    for (int b = 0; b < 7; ++b) {
        eq.vex->setValue(gains[b], 5 * b + 3, true);
        eq.vex->setValue(types[b], 5 * b + 4, true);
    }
    eq.setSampleRate(48000.0f);
    for (int n = 0; n < 200; ++n)
        eq.process(0.0, 0.0);
    return true;
}

std::vector<double> noise(std::size_t count)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> samples(count);
    for (double& s : samples)
        s = value(random);
    return samples;
}

// Runs 512 frames as the adapter does, in host blocks of `block` frames
// inside the denormal guard; the right channel takes the inverted input.
void runBlock(Vex& vex, const double* input, int block = blockFrames)
{
    static std::vector<double> right(blockFrames), left(blockFrames);
    for (int i = 0; i < blockFrames; ++i) {
        left[i] = input[i];
        right[i] = -input[i];
    }
    for (int done = 0; done < blockFrames; done += block) {
        double* channels[2] = {left.data() + done, right.data() + done};
        const Framework::Denormalguard guard;
        vex.process(channels, channels, block);
    }
    benchmark::DoNotOptimize(left.data());
}

// Times 512 frames of input at a time through the equalizer; `before` runs
// ahead of each.
template <class Before>
void timeBlocks(benchmark::State& state, Equalizer& eq, const std::vector<double>& input, Before before,
                int block = blockFrames)
{
    for (auto _ : state) {
        before();
        runBlock(*eq.vex, input.data(), block);
    }
    state.SetItemsProcessed(state.iterations() * blockFrames);
}

// A band-5 frequency that moves on at every call: a change each time.
void moveFrequency(Equalizer& eq, double& normalized)
{
    normalized = normalized > 0.7 ? 0.3 : normalized + 0.01;
    eq.vex->setNormalized(normalized, 21, true);
}

void SevenBands(benchmark::State& state, Chain::Path path)
{
    Equalizer eq;
    if (activate(state, eq, path))
        timeBlocks(state, eq, noise(blockFrames), [] {});
}
BENCHMARK_CAPTURE(SevenBands, sse2, Chain::Path::sse2);
BENCHMARK_CAPTURE(SevenBands, fma, Chain::Path::fma);

// Seven bands with placements (by Vexparameters::Placement) and both outer
// bands' slope step, after the new arrangement has faded in.
void Arranged(benchmark::State& state, Chain::Path path, std::array<int, 7> placements, int slope)
{
    Equalizer eq;
    if (!activate(state, eq, path))
        return;
    for (int b = 0; b < 7; ++b)
        eq.vex->setValue(placements[static_cast<std::size_t>(b)], Vexparameters::index(b, Vexparameters::placement),
                         true);
    eq.vex->setValue(slope, Vexparameters::index(0, Vexparameters::slope), true);
    eq.vex->setValue(slope, Vexparameters::index(6, Vexparameters::slope), true);
    for (int n = 0; n < 4800; ++n)
        eq.process(0.0, 0.0);
    timeBlocks(state, eq, noise(blockFrames), [] {});
}
// Mid and side in turn: the pairs change domain before the first band and
// after the last.
BENCHMARK_CAPTURE(Arranged, midSide_sse2, Chain::Path::sse2, {3, 4, 3, 4, 3, 4, 3}, 0);
BENCHMARK_CAPTURE(Arranged, midSide_fma, Chain::Path::fma, {3, 4, 3, 4, 3, 4, 3}, 0);
// Mid and left in turn: a change of domain between every two bands.
BENCHMARK_CAPTURE(Arranged, midLeft_sse2, Chain::Path::sse2, {3, 1, 3, 1, 3, 1, 3}, 0);
BENCHMARK_CAPTURE(Arranged, midLeft_fma, Chain::Path::fma, {3, 1, 3, 1, 3, 1, 3}, 0);
// The outer bands' high-pass and low-pass at 24 and 48 dB per octave.
BENCHMARK_CAPTURE(Arranged, slopes24_sse2, Chain::Path::sse2, {}, 1);
BENCHMARK_CAPTURE(Arranged, slopes24_fma, Chain::Path::fma, {}, 1);
BENCHMARK_CAPTURE(Arranged, slopes48_sse2, Chain::Path::sse2, {}, 3);
BENCHMARK_CAPTURE(Arranged, slopes48_fma, Chain::Path::fma, {}, 3);

// The same in host blocks of 64 frames.
void SevenBandsBlock64(benchmark::State& state, Chain::Path path)
{
    Equalizer eq;
    if (activate(state, eq, path))
        timeBlocks(
            state, eq, noise(blockFrames), [] {}, 64);
}
BENCHMARK_CAPTURE(SevenBandsBlock64, sse2, Chain::Path::sse2);
BENCHMARK_CAPTURE(SevenBandsBlock64, fma, Chain::Path::fma);

// Silence right after a loud burst: the filter states decay towards zero.
void SilenceAfterBurst(benchmark::State& state, Chain::Path path)
{
    Equalizer eq;
    if (!activate(state, eq, path))
        return;
    std::vector<double> loud = noise(blockFrames);
    for (double& sample : loud)
        sample *= 1e3;
    runBlock(*eq.vex, loud.data());
    timeBlocks(state, eq, std::vector<double>(blockFrames, 0.0), [] {});
}
BENCHMARK_CAPTURE(SilenceAfterBurst, sse2, Chain::Path::sse2);
BENCHMARK_CAPTURE(SilenceAfterBurst, fma, Chain::Path::fma);

// What the analyzer's taps cost the audio thread, as ratios to the closed
// editor (or the analyzer off: no tap): rounds of 64 blocks of each kind
// in turn, so that other work on the machine weighs on all alike; the
// counters are the medians of the rounds' ratios. Nothing reads the rings
// here; the writer's work is the same with a reader.
void AnalyzerTaps(benchmark::State& state, Chain::Path path)
{
    Equalizer eq;
    if (!activate(state, eq, path))
        return;
    const std::vector<double> input = noise(blockFrames);
    Analyzerfeed& feed = eq.vex->analyzerFeed();
    const auto round = [&](unsigned taps) {
        if (taps)
            feed.start(taps);
        else
            feed.stop();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 64; ++i)
            runBlock(*eq.vex, input.data());
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::vector<double> output, both;
    for (auto _ : state) {
        const double closed = round(0);
        output.push_back(round(Analyzerfeed::output) / closed);
        both.push_back(round(Analyzerfeed::input | Analyzerfeed::output) / closed);
    }
    const auto median = [](std::vector<double>& ratios) {
        std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
        return ratios[ratios.size() / 2];
    };
    state.counters["output/closed"] = median(output);
    state.counters["both/closed"] = median(both);
}
BENCHMARK_CAPTURE(AnalyzerTaps, sse2, Chain::Path::sse2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyzerTaps, fma, Chain::Path::fma)->Unit(benchmark::kMillisecond);

// One host parameter change (design and staging of a band) in every block.
void ChangeEveryBlock(benchmark::State& state, Chain::Path path)
{
    Equalizer eq;
    if (!activate(state, eq, path))
        return;
    double normalized = 0.3;
    timeBlocks(state, eq, noise(blockFrames), [&] { moveFrequency(eq, normalized); });
}
BENCHMARK_CAPTURE(ChangeEveryBlock, sse2, Chain::Path::sse2);
BENCHMARK_CAPTURE(ChangeEveryBlock, fma, Chain::Path::fma);

// The cost of one parameter change alone.
void ParameterChange(benchmark::State& state)
{
    Equalizer eq;
    activate(state, eq, Chain::Path::sse2);
    double normalized = 0.3;
    for (auto _ : state)
        moveFrequency(eq, normalized);
}
BENCHMARK(ParameterChange);

} // namespace

BENCHMARK_MAIN();
