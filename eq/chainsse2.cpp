// The chain's loops in SSE2, in the order of operations that fixes the
// equalizer's results.
#include "chainkernel.h"

namespace {

struct Sse2 {
    // Sections per group: four histories fill the sixteen vector registers
    // of 64-bit code, two the eight of 32-bit code.
#if defined(__x86_64__)
    static constexpr int groupSize = 4;
#else
    static constexpr int groupSize = 2;
#endif
    static __m128d allpass(__m128d c, __m128d& x, __m128d& y, __m128d in)
    {
        const __m128d out = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(in, y), c), x);
        x = in;
        y = out;
        return out;
    }
    // y = b0 x + b1 x' + b2 x'' - a1 y' - a2 y'', summed left to right.
    static __m128d section(const double (*c)[2], __m128d x, __m128d x1, __m128d x2, __m128d y1, __m128d y2)
    {
        const __m128d feedforward =
            _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_load_pd(c[0]), x), _mm_mul_pd(_mm_load_pd(c[1]), x1)),
                       _mm_mul_pd(_mm_load_pd(c[2]), x2));
        return _mm_sub_pd(_mm_sub_pd(feedforward, _mm_mul_pd(_mm_load_pd(c[3]), y1)),
                          _mm_mul_pd(_mm_load_pd(c[4]), y2));
    }
};

} // namespace

void Chain::runSse2(State& state, int count, double volume, int mode)
{
    Chainkernel<Sse2>::run(state, count, volume, mode);
}
