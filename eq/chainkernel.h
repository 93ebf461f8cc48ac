// The chain's loops over one piece, for both builds. Arithmetic supplies the
// all-pass stage and the section; each build instantiates this with its own
// arithmetic type of internal linkage, so no code of one instruction set can
// stand in for the other's.
#pragma once

#include "chain.h"

#include <algorithm>
#include <emmintrin.h>

template <class Arithmetic> class Chainkernel {
public:
    static void run(Chain::State& s, int count, double volume, int mode)
    {
        upsample(s, count);
        const int pairs = 2 * count;
        if (mode != 0)
            applyMode(s, pairs, mode);
        if (s.fadeLength == 0) {
            allSections(s.configuration[s.heard], s.oversampled, pairs);
        } else {
            std::copy(&s.oversampled[0][0], &s.oversampled[0][0] + 2 * pairs, &s.incoming[0][0]);
            allSections(s.configuration[s.heard], s.oversampled, pairs);
            allSections(s.configuration[1 - s.heard], s.incoming, pairs);
            crossfade(s, pairs);
        }
        downsample(s, count, volume);
    }

private:
    // The sections run in groups, top down: one loop over all of them would
    // spill its history, and one loop per section would wait on each
    // sample's predecessor. A group holds the history of its sections and
    // its input in registers; the arithmetic says how many fit. Each run of
    // sections in one domain splits into as few groups as hold it, of sizes
    // as even as can be (seven into four and three, or two, two, two and
    // one). The first group of a run in the other domain converts its
    // input, and the last group its output back to left and right.
    static void allSections(Chain::Configuration& c, double (*pairs)[2], int count)
    {
        static_assert(Arithmetic::groupSize == 2 || Arithmetic::groupSize == 4, "groups of two or four sections");
        if (c.count == Chain::bands && c.segments == 1 && !c.segment[0].midSide) {
            if constexpr (Arithmetic::groupSize == 4)
                leftRight<4, 3>(c, pairs, count);
            else
                leftRight<2, 2, 2, 1>(c, pairs, count);
            return;
        }
        // Each group starts from the history its input had before the groups
        // above it ran, in its own domain.
        __m128d in1[Chain::maxSections], in2[Chain::maxSections];
        int top[Chain::maxSections], size[Chain::maxSections];
        bool enter[Chain::maxSections];
        int groups = 0;
        bool midSide = false;
        for (int i = 0; i < c.segments; ++i) {
            const Chain::Segment& run = c.segment[i];
            const int parts = (run.size + Arithmetic::groupSize - 1) / Arithmetic::groupSize;
            for (int part = 0, next = run.top; part < parts; ++part) {
                top[groups] = next;
                size[groups] = run.size / parts + (part < run.size % parts ? 1 : 0);
                in1[groups] = _mm_load_pd(c.signal[next + 1][0]);
                in2[groups] = _mm_load_pd(c.signal[next + 1][1]);
                next -= size[groups];
                enter[groups] = part == 0 && run.midSide != midSide;
                if (enter[groups]) {
                    in1[groups] = convert(in1[groups], run.midSide);
                    in2[groups] = convert(in2[groups], run.midSide);
                }
                ++groups;
            }
            midSide = run.midSide;
        }
        midSide = false;
        for (int g = 0; g < groups; ++g) {
            // The group above keeps its output's history in its own domain;
            // the chain's input keeps its own here.
            if (g == 0 && enter[g]) {
                _mm_store_pd(c.signal[top[g] + 1][0], _mm_load_pd(pairs[count - 1]));
                _mm_store_pd(c.signal[top[g] + 1][1], _mm_load_pd(pairs[count - 2]));
            }
            const int into = !enter[g] ? none : midSide ? toLeftRight : toMidSide;
            midSide = midSide != enter[g];
            const bool back = g == groups - 1 && midSide;
            switch (size[g]) {
            case 1:
                groupOf<1>(into, back, c, pairs, top[g], count, in1[g], in2[g]);
                break;
            case 2:
                groupOf<2>(into, back, c, pairs, top[g], count, in1[g], in2[g]);
                break;
            default:
                if constexpr (Arithmetic::groupSize == 4) {
                    if (size[g] == 3)
                        groupOf<3>(into, back, c, pairs, top[g], count, in1[g], in2[g]);
                    else
                        groupOf<4>(into, back, c, pairs, top[g], count, in1[g], in2[g]);
                }
            }
        }
    }

    enum Conversion { none, toMidSide, toLeftRight };

    // One section per band, all on left and right (the common case): groups
    // of sizes sizes..., top down, laid out as the compiler sees them.
    template <int... sizes> static void leftRight(Chain::Configuration& c, double (*pairs)[2], int count)
    {
        constexpr int groups = sizeof...(sizes);
        __m128d in1[groups], in2[groups];
        int top[groups];
        int next = Chain::bands - 1, g = 0;
        for (const int size : {sizes...}) {
            top[g] = next;
            in1[g] = _mm_load_pd(c.signal[next + 1][0]);
            in2[g] = _mm_load_pd(c.signal[next + 1][1]);
            next -= size;
            ++g;
        }
        g = 0;
        ((group<sizes, none, false>(c, pairs, top[g], count, in1[g], in2[g]), ++g), ...);
    }

    // The group of size that converts its input (by Conversion) and, if
    // back, its output to left and right.
    template <int size>
    static void groupOf(int into, bool back, Chain::Configuration& c, double (*pairs)[2], int top, int count,
                        __m128d in1, __m128d in2)
    {
        if (back)
            groupInto<size, true>(into, c, pairs, top, count, in1, in2);
        else
            groupInto<size, false>(into, c, pairs, top, count, in1, in2);
    }
    template <int size, bool back>
    static void groupInto(int into, Chain::Configuration& c, double (*pairs)[2], int top, int count, __m128d in1,
                          __m128d in2)
    {
        if (into == none)
            group<size, none, back>(c, pairs, top, count, in1, in2);
        else if (into == toMidSide)
            group<size, toMidSide, back>(c, pairs, top, count, in1, in2);
        else
            group<size, toLeftRight, back>(c, pairs, top, count, in1, in2);
    }

    // Left and right to mid and side, (l + r) / 2 and (l - r) / 2, or back.
    static __m128d convert(__m128d p, bool toMidSide)
    {
        const __m128d swapped = _mm_shuffle_pd(p, p, 1);
        const __m128d both = _mm_unpacklo_pd(_mm_add_pd(p, swapped), _mm_sub_pd(p, swapped));
        return toMidSide ? _mm_mul_pd(both, _mm_set1_pd(0.5)) : both;
    }

    // The configuration fading in takes over linearly; it is heard alone
    // from the end of the fade.
    static void crossfade(Chain::State& s, int count)
    {
        const double step = 1.0 / s.fadeLength;
        for (int i = 0; i < count; ++i) {
            const __m128d gain = _mm_set1_pd(std::min(1.0, (s.faded + i + 1) * step));
            const __m128d old = _mm_load_pd(s.oversampled[i]);
            _mm_store_pd(s.oversampled[i],
                         _mm_add_pd(old, _mm_mul_pd(_mm_sub_pd(_mm_load_pd(s.incoming[i]), old), gain)));
        }
        s.faded += count;
        if (s.faded >= s.fadeLength) {
            s.heard = 1 - s.heard;
            s.fadeLength = 0;
        }
    }

    // Two all-pass paths give the two oversampled pairs of each frame.
    static void upsample(Chain::State& s, int count)
    {
        __m128d c[Chain::halfbandStages], x[Chain::halfbandStages], y[Chain::halfbandStages];
        load(s, s.memory.up, c, x, y);
        for (int i = 0; i < count; ++i) {
            const __m128d in = _mm_load_pd(s.frames[i]);
            _mm_store_pd(s.oversampled[2 * i],
                         Arithmetic::allpass(c[2], x[2], y[2], Arithmetic::allpass(c[0], x[0], y[0], in)));
            _mm_store_pd(s.oversampled[2 * i + 1],
                         Arithmetic::allpass(c[3], x[3], y[3], Arithmetic::allpass(c[1], x[1], y[1], in)));
        }
        store(s.memory.up, x, y);
    }

    static void applyMode(Chain::State& s, int pairs, int mode)
    {
        for (int i = 0; i < pairs; ++i) {
            const __m128d p = _mm_load_pd(s.oversampled[i]);
            __m128d heard = p;
            if (mode == 1) // both channels take the right input
                heard = _mm_unpackhi_pd(p, p);
            else if (mode == 2) // mid
                heard = _mm_mul_pd(_mm_add_pd(p, _mm_shuffle_pd(p, p, 1)), _mm_set1_pd(0.5));
            else if (mode == 3) // both channels take the left input
                heard = _mm_unpacklo_pd(p, p);
            _mm_store_pd(s.oversampled[i], heard);
        }
    }

    // Sections top down to top + 1 - size, in place over count pairs, from
    // the input history in1 and in2, which is stored back unless it was
    // converted from another domain.
    template <int size, int into, bool back>
    static void group(Chain::Configuration& c, double (*pairs)[2], int top, int count, __m128d in1, __m128d in2)
    {
        // Entry 0 is the input's history, entry k the output of section top + 1 - k.
        __m128d z1[size + 1], z2[size + 1];
        z1[0] = in1;
        z2[0] = in2;
        for (int k = 1; k <= size; ++k) {
            z1[k] = _mm_load_pd(c.signal[top + 1 - k][0]);
            z2[k] = _mm_load_pd(c.signal[top + 1 - k][1]);
        }
        for (int i = 0; i < count; ++i) {
            __m128d p = _mm_load_pd(pairs[i]);
            if constexpr (into != none)
                p = convert(p, into == toMidSide);
#pragma GCC unroll 8
            for (int k = 1; k <= size; ++k) {
                const __m128d y = Arithmetic::section(c.section[top + 1 - k], p, z1[k - 1], z2[k - 1], z1[k], z2[k]);
                z2[k - 1] = z1[k - 1];
                z1[k - 1] = p;
                p = y;
            }
            z2[size] = z1[size];
            z1[size] = p;
            _mm_store_pd(pairs[i], back ? convert(p, false) : p);
        }
        for (int k = into == none ? 0 : 1; k <= size; ++k) {
            _mm_store_pd(c.signal[top + 1 - k][0], z1[k]);
            _mm_store_pd(c.signal[top + 1 - k][1], z2[k]);
        }
    }

    // Path A takes the second pair of each frame, path B the first; the
    // output stage scales, and values too small to hear become exactly zero.
    static void downsample(Chain::State& s, int count, double volume)
    {
        __m128d c[Chain::halfbandStages], x[Chain::halfbandStages], y[Chain::halfbandStages];
        load(s, s.memory.down, c, x, y);
        const __m128d half = _mm_set1_pd(0.5), gain = _mm_set1_pd(volume);
        const __m128d sign = _mm_set1_pd(-0.0), tiny = _mm_set1_pd(1e-12);
        for (int i = 0; i < count; ++i) {
            const __m128d a = Arithmetic::allpass(
                c[2], x[2], y[2], Arithmetic::allpass(c[0], x[0], y[0], _mm_load_pd(s.oversampled[2 * i + 1])));
            const __m128d b = Arithmetic::allpass(
                c[3], x[3], y[3], Arithmetic::allpass(c[1], x[1], y[1], _mm_load_pd(s.oversampled[2 * i])));
            const __m128d out = _mm_mul_pd(_mm_mul_pd(_mm_add_pd(a, b), half), gain);
            _mm_store_pd(s.frames[i], _mm_andnot_pd(_mm_cmplt_pd(_mm_andnot_pd(sign, out), tiny), out));
        }
        store(s.memory.down, x, y);
    }

    static void load(const Chain::State& s, const double (*stages)[2][2], __m128d* c, __m128d* x, __m128d* y)
    {
        for (int k = 0; k < Chain::halfbandStages; ++k) {
            c[k] = _mm_load_pd(s.halfband[k]);
            x[k] = _mm_load_pd(stages[k][0]);
            y[k] = _mm_load_pd(stages[k][1]);
        }
    }
    static void store(double (*stages)[2][2], const __m128d* x, const __m128d* y)
    {
        for (int k = 0; k < Chain::halfbandStages; ++k) {
            _mm_store_pd(stages[k][0], x[k]);
            _mm_store_pd(stages[k][1], y[k]);
        }
    }
};
