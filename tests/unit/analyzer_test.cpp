// The spectrum analyzer on the real equalizer with its editor open headless:
// where and how high a tone shows, how silence falls, what the taps see of
// the equalizer, and that the audio thread writes only while it is shown.
#include "allocations.h"
#include "openeditor.h"

#include "eq/editor/analyzermenu.h"
#include "eq/editor/displayscale.h"
#include "framework/plugin/settingsfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using Framework::Headless::takeInvalidated;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double minus6Db = 0.50118723362727224;
constexpr unsigned both = Analyzerfeed::input | Analyzerfeed::output;

struct Analyzing : Openeditor {
    explicit Analyzing(double rate = 48000.0, unsigned taps = Analyzerfeed::output)
        : Openeditor(std::string(sumOnly) + "analyzer-out:255,255,0,0\n")
    {
        setSampleRate(static_cast<float>(rate));
        gui.addSettings();
        gui.setAnalyzer(taps);
        gui.timerTick();
    }
    // An analysis frame's audio, a tone of amplitude a, in host blocks of
    // 512 frames.
    void play(double f, double a)
    {
        const int frames = static_cast<int>(host.rate / Analysis::frameRate);
        for (int done = 0; done < frames; done += 512) {
            const int n = std::min(512, frames - done);
            for (int i = 0; i < n; ++i)
                left[i] = right[i] = static_cast<float>(a * std::sin(2.0 * pi * f * (phase++) / host.rate));
            float* channels[2] = {left.data(), right.data()};
            vex->process(channels, channels, n);
        }
    }
    // One analysis frame: its audio, then two timer ticks.
    void frame(double f, double a)
    {
        play(f, a);
        gui.timerTick();
        gui.timerTick();
    }
    void frames(int count, double f, double a)
    {
        for (int i = 0; i < count; ++i)
            frame(f, a);
    }
    const std::vector<float>& levels(Analyzerfeed::Tap tap = Analyzerfeed::output)
    {
        return gui.analysed().levels(tap);
    }
    int peakColumn(Analyzerfeed::Tap tap = Analyzerfeed::output)
    {
        const auto& l = levels(tap);
        return static_cast<int>(std::max_element(l.begin(), l.end()) - l.begin());
    }
    long phase = 0;
    std::vector<float> left = std::vector<float>(512), right = std::vector<float>(512);
};

int columnOf(double f)
{
    return static_cast<int>(std::lround(Displayscale::pointOf(f)));
}

} // namespace

// At each rate a tone shows in its own column at its own level, and the
// picture's topmost analyzer pixel in that column sits at that level's row.
TEST(Analyzer, ToneShowsAtItsColumnAndLevelAtEveryRate)
{
    for (const double rate : {44100.0, 48000.0, 96000.0})
        for (const double f : {100.0, 1000.0, 10000.0}) {
            Analyzing a(rate);
            a.frames(6, f, minus6Db);
            EXPECT_NEAR(a.peakColumn(), columnOf(f), 1) << f << " Hz at " << rate;
            EXPECT_NEAR(a.levels()[columnOf(f)], -6.0, 1.0) << f << " Hz at " << rate;
            a.paint();
            const int x = Layout::displayX + columnOf(f);
            const std::vector<int> red = a.rowsWith(x, 16);
            ASSERT_FALSE(red.empty()) << f << " Hz at " << rate;
            EXPECT_NEAR(red.front(), Layout::displayY + 6.0 / 96.0 * Layout::displayH, 2.0) << f << " Hz at " << rate;
            // Once the onset has been released, the window leaves an octave
            // away from the tone clean.
            a.frames(75, f, minus6Db);
            EXPECT_LT(a.levels()[columnOf(f * 2.0)], -60.0) << f << " Hz at " << rate;
            EXPECT_LT(a.levels()[columnOf(f / 2.0)], -60.0) << f << " Hz at " << rate;
        }
}

// At twice the size the tone's area peaks at the same place, in device
// pixels twice as far from the corner.
TEST(Analyzer, ToneShowsInPlaceAtTwiceTheSize)
{
    Analyzing a;
    a.gui.setScale(200);
    a.frames(6, 1000.0, minus6Db);
    a.paint();
    const int x = 2 * (Layout::displayX + columnOf(1000.0)) + 1;
    int top = 2 * (Layout::displayY + Layout::displayH);
    for (int y = 2 * Layout::displayY; y < top; ++y)
        if ((a.pixel(x, y) >> 16 & 0xFF) > 0xC0)
            top = y;
    EXPECT_NEAR(top, 2 * (Layout::displayY + 6.0 / 96.0 * Layout::displayH), 3.0);
}

// An editor that falls behind the ring (here at 384 kHz, whose transform
// is longer than a read may copy) skips samples: the tone's two stretches
// never meet in one transform, so the spectrum away from it stays clean.
TEST(Analyzer, SkippedSamplesMakeNoBurst)
{
    Analyzing a(384000.0);
    const double f = 1000.0;
    a.frames(80, f, minus6Db);
    ASSERT_LT(a.levels()[columnOf(f * 2.0)], -60.0);
    for (int late = 0; late < 3; ++late) {
        a.play(f, minus6Db);
        a.play(f, minus6Db);
        a.play(f, minus6Db);
        for (int k = 0; k < 4; ++k) {
            a.frame(f, minus6Db);
            EXPECT_LT(a.levels()[columnOf(f * 2.0)], -60.0) << late << " " << k;
            EXPECT_LT(a.levels()[columnOf(f * 8.0)], -60.0) << late << " " << k;
            EXPECT_NEAR(a.levels()[columnOf(f)], -6.0, 1.0) << late << " " << k;
        }
    }
}

// Silence falls at the release rate to the floor; then nothing of the
// analyzer is drawn and the editor asks for no more paints.
TEST(Analyzer, SilenceFallsToTheFloorAndStopsRepainting)
{
    Analyzing a(48000.0, both);
    a.paint();
    std::vector<std::uint32_t> before;
    for (int y = Layout::displayY; y < Layout::displayY + Layout::displayH; ++y)
        before.push_back(a.pixel(Layout::displayX + columnOf(1000.0), y));
    a.frames(6, 1000.0, 1.0);
    a.frame(1000.0, 0.0);
    EXPECT_NEAR(a.levels()[columnOf(1000.0)], -Analysis::releasePerFrame, 0.5) << "the release is slow";
    a.frames(150, 1000.0, 0.0);
    EXPECT_TRUE(a.gui.analysed().silent(Analyzerfeed::output));
    // Blocks that are no number, infinite, or whose power is beyond a
    // float leave levels that fall.
    a.frame(1000.0, std::numeric_limits<double>::quiet_NaN());
    a.frame(1000.0, std::numeric_limits<double>::infinity());
    a.frame(1000.0, 1e30);
    a.frames(200, 1000.0, 0.0);
    EXPECT_TRUE(a.gui.analysed().silent(Analyzerfeed::input));
    EXPECT_TRUE(a.gui.analysed().silent(Analyzerfeed::output));
    a.paint();
    for (int y = Layout::displayY; y < Layout::displayY + Layout::displayH; ++y)
        EXPECT_EQ(a.pixel(Layout::displayX + columnOf(1000.0), y), before[y - Layout::displayY]) << y;
    takeInvalidated(a.gui);
    a.frames(30, 1000.0, 0.0);
    EXPECT_TRUE(takeInvalidated(a.gui).empty());
}

// A 12 dB cut at 1 kHz: the output tap shows it, the input tap does not.
TEST(Analyzer, TapsShowTheEqualizersCut)
{
    Analyzing a(48000.0, both);
    a.vex->setValue(1000.0, 5 * 3 + 1, true);
    a.vex->setValue(-12.0, 5 * 3 + 3, true);
    a.frames(8, 1000.0, minus6Db);
    const int c = columnOf(1000.0);
    EXPECT_NEAR(a.levels(Analyzerfeed::input)[c], -6.0, 1.0);
    EXPECT_NEAR(a.levels(Analyzerfeed::input)[c] - a.levels(Analyzerfeed::output)[c], 12.0, 1.0);
}

// The audio thread writes only while the editor is open and the analyzer
// on, and never allocates for it.
TEST(Analyzer, OffOrClosedWritesNothing)
{
    Analyzing a(48000.0, both);
    Samplering& in = *a.vex->analyzerFeed().ring(Analyzerfeed::input);
    Samplering& out = *a.vex->analyzerFeed().ring(Analyzerfeed::output);
    Allocations::start();
    a.play(1000.0, 0.5);
    EXPECT_EQ(Allocations::stop(), 0);
    EXPECT_EQ(in.count(), 1600u);
    EXPECT_EQ(out.count(), 1600u);

    Analyzermenu menu("Analyzer", a.gui);
    menu.prepare();
    EXPECT_TRUE(menu.isChecked(3));
    EXPECT_EQ(menu.itemText(3), "Input and output");
    menu.select(2);
    a.frame(1000.0, 0.5);
    EXPECT_EQ(in.count(), 1600u) << "output only";
    EXPECT_EQ(out.count(), 3200u);
    EXPECT_EQ(a.settings.get("analyzer"), "output");
    menu.select(0);
    a.frame(1000.0, 0.5);
    EXPECT_EQ(out.count(), 3200u) << "off";
    menu.prepare();
    EXPECT_TRUE(menu.isChecked(0));
    EXPECT_FALSE(menu.isChecked(2));

    menu.select(1);
    a.gui.close();
    a.frame(1000.0, 0.5);
    EXPECT_EQ(in.count(), 1600u) << "closed";
    a.settings.set("analyzer", "loud");
    EXPECT_EQ(a.gui.analyzer(), Analyzerfeed::output) << "an unknown setting reads as the default";
}

// An open editor left alone repaints nothing in ten seconds of its timer:
// with the analyzer off, or on while the host sends no audio.
TEST(Analyzer, IdleEditorPaintsNothing)
{
    for (const unsigned taps : {0u, both}) {
        Analyzing a(48000.0, taps);
        a.paint();
        int paints = 0;
        for (int tick = 0; tick < 600; ++tick) {
            a.gui.timerTick();
            paints += Framework::Headless::paintPending(a.gui);
        }
        EXPECT_EQ(paints, 0) << taps;
    }
}
