// The chain's loops for processors with AVX2 and FMA (this file alone is
// built for them). Fused operations round once where SSE2 rounds twice, and
// the section takes its newest values last, which shortens the chains from
// one sample to the next.
#include "chainkernel.h"

#include <immintrin.h>

namespace {

struct Fused {
    // Fused sums need few registers: four sections' history fits even the
    // eight of 32-bit code.
    static constexpr int groupSize = 4;
    static __m128d allpass(__m128d c, __m128d& x, __m128d& y, __m128d in)
    {
        const __m128d out = _mm_fmadd_pd(_mm_sub_pd(in, y), c, x);
        x = in;
        y = out;
        return out;
    }
    static __m128d section(const double (*c)[2], __m128d x, __m128d x1, __m128d x2, __m128d y1, __m128d y2)
    {
        const __m128d past = _mm_fmadd_pd(_mm_load_pd(c[2]), x2,
                                          _mm_fnmadd_pd(_mm_load_pd(c[4]), y2, _mm_mul_pd(_mm_load_pd(c[1]), x1)));
        return _mm_fnmadd_pd(_mm_load_pd(c[3]), y1, _mm_fmadd_pd(_mm_load_pd(c[0]), x, past));
    }
};

} // namespace

void Chain::runFma(State& state, int count, double volume, int mode)
{
    Chainkernel<Fused>::run(state, count, volume, mode);
}
