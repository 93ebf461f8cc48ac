#include "chain.h"

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
    for (int b = 0; b < sections; ++b)
        setSection(b, Coefficients::identity());
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

void Chain::setSection(int band, const Coefficients& c)
{
    const double terms[5] = {c.numerator[0], c.numerator[1], c.numerator[2], c.denominator[1], c.denominator[2]};
    for (int t = 0; t < 5; ++t)
        state.section[band][t][0] = state.section[band][t][1] = terms[t];
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
    add(&m.signal[0][0][0], sizeof m.signal);
    add(&m.up[0][0][0], sizeof m.up);
    add(&m.down[0][0][0], sizeof m.down);
    const __m128d sum = _mm_add_pd(_mm_add_pd(sums[0], sums[1]), _mm_add_pd(sums[2], sums[3]));
    if (_mm_movemask_pd(_mm_cmpeq_pd(sum, zero)) != 3)
        m = State::Memory();
}
