#include "analysis.h"

#include "displayscale.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The four-term Blackman-Harris window: sidelobes below -92 dB, so a loud
// tone leaves the 96 dB scale clean, and a main lobe whose shape in dB is
// nearly a parabola, which the column map's interpolation relies on.
constexpr double bh[4] = {0.35875, 0.48829, 0.14128, 0.01168};

// The parabola through (-1, before), (0, at), (1, after), at d.
float parabola(float before, float at, float after, float d)
{
    return at + 0.5f * d * (after - before) + 0.5f * d * d * (after + before - 2.0f * at);
}

} // namespace

void Analysis::Freeconfig::operator()(kiss_fftr_state* state) const
{
    kiss_fftr_free(state);
}

Analysis::Analysis(int columns) : columns(columns)
{
    for (Tap& tap : taps)
        tap.shown.assign(static_cast<std::size_t>(columns), floorDb);
}

Analysis::~Analysis() = default;

int Analysis::sizeFor(double rate)
{
    int n = 512;
    while (n < 32768 && rate / n > 20.0)
        n *= 2;
    return n;
}

void Analysis::show(unsigned shown)
{
    shownTaps = shown;
    for (Tap& tap : taps) {
        Samplering* ring =
            source ? source->ring(&tap == &taps[0] ? Analyzerfeed::input : Analyzerfeed::output) : nullptr;
        tap.position = ring ? ring->end() : 0;
        std::fill(tap.history.begin(), tap.history.end(), 0.0f);
        std::fill(tap.shown.begin(), tap.shown.end(), floorDb);
        tap.framesWithout = 0;
        tap.sinceLoss = std::numeric_limits<int>::max();
        tap.silent = true;
    }
}

void Analysis::configure(double rate)
{
    configuredRate = rate;
    size = sizeFor(rate);
    config.reset(kiss_fftr_alloc(size, 0, nullptr, nullptr));
    window.resize(static_cast<std::size_t>(size));
    const double pi = std::acos(-1.0);
    for (int i = 0; i < size; ++i) {
        const double t = 2.0 * pi * i / size;
        window[static_cast<std::size_t>(i)] =
            static_cast<float>(bh[0] - bh[1] * std::cos(t) + bh[2] * std::cos(2 * t) - bh[3] * std::cos(3 * t));
    }
    windowed.resize(static_cast<std::size_t>(size));
    bins.resize(static_cast<std::size_t>(size + 2));
    binDb.resize(static_cast<std::size_t>(size / 2 + 1));
    incoming.resize(static_cast<std::size_t>(size));
    for (Tap& tap : taps)
        tap.history.assign(static_cast<std::size_t>(size), 0.0f);
    lowEdge.resize(static_cast<std::size_t>(columns));
    highEdge.resize(static_cast<std::size_t>(columns));
    position.resize(static_cast<std::size_t>(columns));
    const double binsPerHz = size / rate;
    for (int c = 0; c < columns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        lowEdge[i] = static_cast<float>(Displayscale::frequencyAt(c - 0.5) * binsPerHz);
        highEdge[i] = static_cast<float>(Displayscale::frequencyAt(c + 0.5) * binsPerHz);
        position[i] = static_cast<float>(Displayscale::frequencyAt(c) * binsPerHz);
    }
}

bool Analysis::frame(double rate)
{
    if (!shownTaps || !source || !source->ring(Analyzerfeed::input) || !(rate > 0.0))
        return false;
    if (rate != configuredRate)
        configure(rate);
    bool changed = false;
    for (const Analyzerfeed::Tap t : {Analyzerfeed::input, Analyzerfeed::output}) {
        Tap& tap = taps[t == Analyzerfeed::input ? 0 : 1];
        if (!(shownTaps & t))
            continue;
        if (drain(tap, *source->ring(t))) {
            tap.framesWithout = 0;
            if (tap.sinceLoss < size)
                continue;
            transform(tap);
            changed = follow(tap, false) || changed;
        } else if (++tap.framesWithout > idleFrames) {
            changed = follow(tap, true) || changed;
        }
    }
    return changed;
}

bool Analysis::drain(Tap& tap, Samplering& ring)
{
    bool lost = false;
    const int got = ring.read(tap.position, incoming.data(), size, lost);
    if (got <= 0)
        return false;
    tap.sinceLoss = lost ? got : std::min(tap.sinceLoss, size) + got;
    const auto n = static_cast<std::size_t>(got);
    std::memmove(tap.history.data(), tap.history.data() + n, (tap.history.size() - n) * sizeof(float));
    std::memcpy(tap.history.data() + tap.history.size() - n, incoming.data(), n * sizeof(float));
    return true;
}

// A sine of amplitude a gives a bin of a * size * bh[0] / 2 at its peak:
// that is 0 dB.
void Analysis::transform(const Tap& tap)
{
    for (std::size_t i = 0; i < windowed.size(); ++i)
        windowed[i] = tap.history[i] * window[i];
    kiss_fftr(config.get(), windowed.data(), reinterpret_cast<kiss_fft_cpx*>(bins.data()));
    const float scale = static_cast<float>(20.0 * std::log10(2.0 / (size * bh[0])));
    // Well below the floor, so that interpolation near it stays finite, and
    // above the top, so that an infinite sample shows as an over and then
    // falls like any level; a bin that is no number counts as nothing.
    const float lowest = floorDb - 40.0f, highest = topDb + 24.0f;
    for (std::size_t k = 0; k < binDb.size(); ++k) {
        const float re = bins[2 * k], im = bins[2 * k + 1];
        const float power = re * re + im * im;
        binDb[k] = power > 0.0f ? std::clamp(10.0f * std::log10(power) + scale, lowest, highest) : lowest;
    }
}

// A column that holds bins: the highest of them, or the top of a tone's
// parabola (through its peak bin and their neighbours) that lies in the
// column, which scalloping would lower and place on a bin. One between two
// bins: the parabola of a peak among them, so that the tone's top lands on
// its own frequency; elsewhere a straight line.
float Analysis::columnLevel(int c) const
{
    const auto i = static_cast<std::size_t>(c);
    const int top = size / 2;
    if (highEdge[i] >= top - 1)
        return floorDb;
    const auto y = [&](int k) { return binDb[static_cast<std::size_t>(k)]; };
    const auto peak = [&](int k) { return k >= 1 && k < top && y(k) >= y(k - 1) && y(k) >= y(k + 1); };
    const int first = static_cast<int>(std::ceil(lowEdge[i])), last = static_cast<int>(std::ceil(highEdge[i])) - 1;
    if (first <= last) {
        float level = y(first);
        for (int k = first + 1; k <= last; ++k)
            level = std::max(level, y(k));
        for (int k = first - 1; k <= last + 1; ++k) {
            const float bend = peak(k) ? y(k + 1) + y(k - 1) - 2.0f * y(k) : 0.0f;
            if (bend >= 0.0f)
                continue;
            const float vertex = 0.5f * (y(k - 1) - y(k + 1)) / bend;
            if (k + vertex >= lowEdge[i] && k + vertex < highEdge[i])
                level = std::max(level, parabola(y(k - 1), y(k), y(k + 1), vertex));
        }
        return level;
    }
    const int j = std::clamp(static_cast<int>(position[i]), 0, top - 2);
    const float d = position[i] - static_cast<float>(j);
    float level = y(j) + d * (y(j + 1) - y(j));
    for (const int k : {j, j + 1})
        if (peak(k))
            level = std::max(level, parabola(y(k - 1), y(k), y(k + 1), position[i] - static_cast<float>(k)));
    return level;
}

bool Analysis::follow(Tap& tap, bool silence)
{
    bool changed = false;
    bool silent = true;
    for (int c = 0; c < columns; ++c) {
        float& shown = tap.shown[static_cast<std::size_t>(c)];
        const float target = silence ? floorDb : std::max(columnLevel(c), floorDb);
        const float next = target >= shown ? target : std::max(target, shown - releasePerFrame);
        changed = changed || next != shown;
        shown = next;
        silent = silent && next <= floorDb;
    }
    tap.silent = silent;
    return changed;
}
