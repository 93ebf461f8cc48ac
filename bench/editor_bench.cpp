// The editor's costs on the headless window with the Red skin: one band's
// curve recomputed and the display repainted, a full repaint, a parameter
// change's cost to the thread that makes it, and the audio thread's cost
// while a handle is dragged in the open editor.
#include "openeditor.h"

#include "framework/vst/denormalguard.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

// The equalizer and its open editor in the committed Red skin, all bands on,
// at a size in percent.
struct Skinnededitor : Openeditor {
    explicit Skinnededitor(int scale = 100)
    {
        gui.setScale(scale);
        namespace fs = std::filesystem;
        fs::copy(fs::path(VEX_SOURCE_DIR) / "skins" / "Red", dir.file("skins/Red"),
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        gui.loadSkin("Red");
        const double gains[] = {0, 6, -9, 12, -3, 4.5, -12};
        const double types[] = {0, 1, 2, 1, 0, 1, 2};
        for (int b = 0; b < 7; ++b)
            place(b, 0.1 + 0.13 * b, gains[b], types[b]);
        setSampleRate(48000.0f);
        paint();
    }
};

void BandCurveAndDisplay(benchmark::State& state)
{
    Skinnededitor editor(static_cast<int>(state.range(0)));
    double gain = 1.0;
    for (auto _ : state) {
        gain = -gain;
        editor.vex->setValue(gain, 5 * 3 + 3, true);
        Framework::Headless::paintPending(editor.gui);
    }
}
BENCHMARK(BandCurveAndDisplay)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

// One analyzer frame of the output at 48 kHz: a frame's samples of noise
// drained from the ring, transformed, mapped to the columns and drawn.
void AnalyzerFrame(benchmark::State& state)
{
    Skinnededitor editor;
    editor.gui.addSettings();
    editor.gui.setAnalyzer(Analyzerfeed::output);
    editor.gui.timerTick();
    Samplering& ring = *editor.vex->analyzerFeed().ring(Analyzerfeed::output);
    std::uint32_t seed = 1;
    const auto noise = [&](int) {
        return static_cast<float>((seed = seed * 1664525u + 1013904223u) >> 8) / 3.4e7f - 0.25f;
    };
    int painted = 0;
    for (auto _ : state) {
        ring.write(1600, noise);
        editor.gui.timerTick();
        editor.gui.timerTick();
        painted += Framework::Headless::paintPending(editor.gui);
    }
    state.counters["painted"] = benchmark::Counter(painted, benchmark::Counter::kAvgIterations);
}
BENCHMARK(AnalyzerFrame)->Unit(benchmark::kMicrosecond);

void FullRepaint(benchmark::State& state)
{
    Skinnededitor editor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        editor.paint();
}
BENCHMARK(FullRepaint)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

// What a band parameter change costs the thread that makes it, the
// editor's redraw request included.
void BandParameterChange(benchmark::State& state)
{
    Skinnededitor editor;
    double gain = 1.0;
    int pending = 0;
    for (auto _ : state) {
        gain = -gain;
        editor.vex->setValue(gain, 5 * 3 + 3, true);
        // The headless window keeps a record of requests; it is emptied now
        // and then, as paints would.
        if (++pending == 4096) {
            Framework::Headless::takeInvalidated(editor.gui);
            pending = 0;
        }
    }
}
BENCHMARK(BandParameterChange)->Unit(benchmark::kMicrosecond);

// 512 frames of audio with the editor closed (arg 0), or open at that size
// in percent while another thread drags band 4's handle to and fro and
// paints after every move.
void AudioWhileDragging(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    Skinnededitor editor(scale ? scale : 100);
    std::vector<float> left(512, 0.25f), right(512, -0.25f);
    std::atomic<bool> stop{false};
    std::thread dragger;
    if (!state.range(0))
        editor.gui.close();
    else {
        dragger = std::thread([&] {
            const Framework::Point c = editor.handleCentre(3);
            const int x = static_cast<int>(c.x) * scale / 100, y = static_cast<int>(c.y) * scale / 100;
            editor.send(Openeditor::M::leftDown, x, y);
            for (int i = 0; !stop.load(); ++i) {
                editor.send(Openeditor::M::move, x + i % 40 - 20, y + i % 30 - 15);
                Framework::Headless::paintPending(editor.gui);
            }
            editor.send(Openeditor::M::leftUp, x, y);
        });
    }
    for (auto _ : state) {
        float* channels[2] = {left.data(), right.data()};
        const Framework::Denormalguard guard;
        editor.vex->process(channels, channels, 512);
        benchmark::DoNotOptimize(left.data());
    }
    stop = true;
    if (dragger.joinable())
        dragger.join();
}
BENCHMARK(AudioWhileDragging)->Arg(0)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
