#include "chain.h"

#include <algorithm>
#include <cstddef>
#include <emmintrin.h>

Chain::Chain() : state()
{
#ifdef VEX_BENCH_SSE2
    // A benchmark build that measures the SSE2 path on any processor.
    loops = runSse2;
#else
    loops = supports(Path::fma) ? runFma : runSse2;
#endif
    Band flat[bands];
    std::fill(flat, flat + bands, Band::flat());
    arrange(flat, state.configuration[0]);
    double coefficients[halfbandStages];
    Filterdesign::designHalfband(halfbandStages, static_cast<double>(0.45f), coefficients);
    for (int i = 0; i < halfbandStages; ++i)
        state.halfband[i][0] = state.halfband[i][1] = coefficients[i];
}

bool Chain::supports(Path path)
{
    if (path == Path::sse2)
        return true;
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

bool Chain::use(Path path)
{
    if (!supports(path))
        return false;
    loops = path == Path::fma ? runFma : runSse2;
    return true;
}

Chain::Path Chain::path() const
{
    return loops == runFma ? Path::fma : Path::sse2;
}

void Chain::configure(const Band (&designs)[bands], int fadePairs)
{
    const bool fading = state.fadeLength != 0;
    Configuration& latest = state.configuration[fading ? 1 - state.heard : state.heard];
    if (sameArrangement(designs, latest)) {
        setCoefficients(designs, latest);
        hasWaiting = false;
        return;
    }
    if (fading) {
        std::copy(designs, designs + bands, waiting);
        waitingFade = fadePairs;
        hasWaiting = true;
        return;
    }
    Configuration& next = state.configuration[1 - state.heard];
    arrange(designs, next);
    carryHistory(latest, next);
    if (fadePairs > 0) {
        state.fadeLength = fadePairs;
        state.faded = 0;
    } else {
        state.heard = 1 - state.heard;
    }
}

void Chain::configureWaiting()
{
    hasWaiting = false;
    configure(waiting, waitingFade);
}

// A band on left or right runs where left and right are, one on mid or side
// where they are; a band on both channels is the same filter in either
// domain and joins the nearest placed band above it (or else below it).
void Chain::arrange(const Band (&designs)[bands], Configuration& c)
{
    const auto placedMidSide = [](Placement p) { return p == Placement::mid || p == Placement::side; };
    bool domain = false, found = false;
    for (int b = bands - 1; b >= 0 && !found; --b)
        if (designs[b].placement != Placement::stereo) {
            domain = placedMidSide(designs[b].placement);
            found = true;
        }
    for (int b = bands - 1; b >= 0; --b) {
        if (designs[b].placement != Placement::stereo)
            domain = placedMidSide(designs[b].placement);
        c.midSide[b] = domain;
    }
    c.count = 0;
    for (int b = 0; b < bands; ++b) {
        c.base[b] = c.count;
        c.bandSections[b] = designs[b].count;
        c.placement[b] = designs[b].placement;
        c.count += designs[b].count;
    }
    c.segments = 0;
    for (int p = c.count - 1; p >= 0; --p) {
        const bool midSide = c.midSide[std::upper_bound(c.base, c.base + bands, p) - c.base - 1];
        if (c.segments > 0 && c.segment[c.segments - 1].midSide == midSide)
            ++c.segment[c.segments - 1].size;
        else
            c.segment[c.segments++] = {p, 1, midSide};
    }
    setCoefficients(designs, c);
    std::fill(&c.signal[0][0][0], &c.signal[0][0][0] + sizeof c.signal / sizeof(double), 0.0);
}

bool Chain::sameArrangement(const Band (&designs)[bands], const Configuration& c)
{
    for (int b = 0; b < bands; ++b)
        if (designs[b].count != c.bandSections[b] || designs[b].placement != c.placement[b])
            return false;
    return true;
}

void Chain::setCoefficients(const Band (&designs)[bands], Configuration& c)
{
    const Coefficients identity = Coefficients::identity();
    for (int b = 0; b < bands; ++b) {
        const Placement p = designs[b].placement;
        const bool first = p != Placement::right && p != Placement::side;
        const bool second = p != Placement::left && p != Placement::mid;
        for (int k = 0; k < designs[b].count; ++k) {
            const Coefficients& s = designs[b].sections[k];
            const Coefficients* lanes[2] = {first ? &s : &identity, second ? &s : &identity};
            double(*terms)[2] = c.section[c.base[b] + designs[b].count - 1 - k];
            for (int lane = 0; lane < 2; ++lane) {
                const Coefficients& l = *lanes[lane];
                const double values[5] = {l.numerator[0], l.numerator[1], l.numerator[2], l.denominator[1],
                                          l.denominator[2]};
                for (int t = 0; t < 5; ++t)
                    terms[t][lane] = values[t];
            }
        }
    }
}

// The signals both arrangements have are the chain's input and each band's
// output; a band's inner sections take the history of the old band's
// section at the same place from its bottom, or of its top one.
void Chain::carryHistory(const Configuration& from, Configuration& to)
{
    std::copy(&from.signal[from.count][0][0], &from.signal[from.count][0][0] + 4, &to.signal[to.count][0][0]);
    for (int b = 0; b < bands; ++b)
        for (int j = 0; j < to.bandSections[b]; ++j) {
            const double(*old)[2] = from.signal[from.base[b] + std::min(j, from.bandSections[b] - 1)];
            double(*now)[2] = to.signal[to.base[b] + j];
            for (int t = 0; t < 2; ++t) {
                const double x = old[t][0], y = old[t][1];
                if (from.midSide[b] == to.midSide[b]) {
                    now[t][0] = x;
                    now[t][1] = y;
                } else if (to.midSide[b]) {
                    now[t][0] = (x + y) * 0.5;
                    now[t][1] = (x - y) * 0.5;
                } else {
                    now[t][0] = x + y;
                    now[t][1] = x - y;
                }
            }
        }
}

void Chain::recoverNonFinite()
{
    // x * 0 is 0 for every finite x and NaN otherwise: sums tell. Four of
    // them keep the chains of additions short.
    const __m128d zero = _mm_setzero_pd();
    __m128d sums[4] = {zero, zero, zero, zero};
    const auto add = [&](const double* values, std::size_t size) {
        for (std::size_t i = 0; i < size / sizeof(double); i += 2)
            sums[i / 2 % 4] = _mm_add_pd(sums[i / 2 % 4], _mm_mul_pd(_mm_load_pd(values + i), zero));
    };
    State::Memory& m = state.memory;
    add(&m.up[0][0][0], sizeof m.up);
    add(&m.down[0][0][0], sizeof m.down);
    const auto history = [&](const Configuration& c) { add(&c.signal[0][0][0], (c.count + 1) * sizeof c.signal[0]); };
    history(state.configuration[state.heard]);
    if (state.fadeLength != 0)
        history(state.configuration[1 - state.heard]);
    const __m128d sum = _mm_add_pd(_mm_add_pd(sums[0], sums[1]), _mm_add_pd(sums[2], sums[3]));
    if (_mm_movemask_pd(_mm_cmpeq_pd(sum, zero)) == 3)
        return;
    m = State::Memory();
    for (Configuration& c : state.configuration)
        std::fill(&c.signal[0][0][0], &c.signal[0][0][0] + sizeof c.signal / sizeof(double), 0.0);
}
