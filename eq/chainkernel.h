// The chain's loops over one piece, for both builds. Arithmetic supplies the
// all-pass stage and the section; each build instantiates this with its own
// arithmetic type of internal linkage, so no code of one instruction set can
// stand in for the other's.
#pragma once

#include "chain.h"

#include <emmintrin.h>

template <class Arithmetic> class Chainkernel {
public:
    static void run(Chain::State& s, int count, double volume, int mode)
    {
        upsample(s, count);
        if (mode != 0)
            applyMode(s, 2 * count, mode);
        allSections(s, 2 * count);
        downsample(s, count, volume);
    }

private:
    // The sections run in groups, top down: one loop over all seven would
    // spill its history, and one loop per section would wait on each
    // sample's predecessor. A group holds the history of its sections and
    // its input in registers; the arithmetic says how many fit.
    static void allSections(Chain::State& s, int pairs)
    {
        static_assert(Arithmetic::groupSize == 2 || Arithmetic::groupSize == 4, "groups of two or four sections");
        if constexpr (Arithmetic::groupSize == 4)
            sections<4, 3>(s, pairs);
        else
            sections<2, 2, 2, 1>(s, pairs);
    }

    // Groups of sizes sizes..., top down. Each group starts from the history
    // its input had before the groups above it ran.
    template <int... sizes> static void sections(Chain::State& s, int pairs)
    {
        constexpr int groups = sizeof...(sizes);
        static_assert((sizes + ...) == Chain::sections, "the groups hold every section once");
        __m128d in1[groups], in2[groups];
        int top[groups];
        int next = Chain::sections - 1, g = 0;
        for (const int size : {sizes...}) {
            top[g] = next;
            in1[g] = _mm_load_pd(s.memory.signal[next + 1][0]);
            in2[g] = _mm_load_pd(s.memory.signal[next + 1][1]);
            next -= size;
            ++g;
        }
        g = 0;
        ((group<sizes>(s, top[g], pairs, in1[g], in2[g]), ++g), ...);
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

    // Sections top down to top + 1 - size, in place over the oversampled
    // pairs, from the input history in1 and in2.
    template <int size> static void group(Chain::State& s, int top, int pairs, __m128d in1, __m128d in2)
    {
        // Entry 0 is the input's history, entry k the output of section top + 1 - k.
        __m128d z1[size + 1], z2[size + 1];
        z1[0] = in1;
        z2[0] = in2;
        for (int k = 1; k <= size; ++k) {
            z1[k] = _mm_load_pd(s.memory.signal[top + 1 - k][0]);
            z2[k] = _mm_load_pd(s.memory.signal[top + 1 - k][1]);
        }
        for (int i = 0; i < pairs; ++i) {
            __m128d p = _mm_load_pd(s.oversampled[i]);
#pragma GCC unroll 8
            for (int k = 1; k <= size; ++k) {
                const __m128d y = Arithmetic::section(s.section[top + 1 - k], p, z1[k - 1], z2[k - 1], z1[k], z2[k]);
                z2[k - 1] = z1[k - 1];
                z1[k - 1] = p;
                p = y;
            }
            z2[size] = z1[size];
            z1[size] = p;
            _mm_store_pd(s.oversampled[i], p);
        }
        for (int k = 0; k <= size; ++k) {
            _mm_store_pd(s.memory.signal[top + 1 - k][0], z1[k]);
            _mm_store_pd(s.memory.signal[top + 1 - k][1], z2[k]);
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
