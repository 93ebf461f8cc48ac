// The equalizer's signal chain: a half-band upsampler, the output mode, the
// seven band sections at twice the host's rate and a half-band downsampler.
// It runs pieces of frames group by group (each group one tight loop over
// the piece, its state in registers), so the processor overlaps consecutive
// samples. Left and right travel together as pairs of doubles.
//
// The loops exist in two builds: SSE2, which fixes the results, and AVX2 with
// FMA, taken on processors that have it, whose results differ from SSE2 only
// by rounding.
#pragma once

#include "filterdesign.h"

class Chain {
public:
    enum { sections = 7, halfbandStages = 4, chunk = 256 };
    enum class Path { sse2, fma };

    // Flat sections, silent state, on the fastest path the processor has.
    Chain();

    static bool supports(Path path);
    // Runs on path from now on, if the processor supports it; answers whether it does.
    bool use(Path path);
    Path path() const;

    void setSection(int band, const Coefficients& c);

    // Runs count (1 to chunk) frames from offset of the two input channels to
    // the two output channels. Every input is read before any output is
    // written, so the channels may be the same. mode is 0 to 3.
    template <class Sample>
    void process(const Sample* const* inputs, Sample* const* outputs, int offset, int count, double volume, int mode);

    // Clears filter and resampler state that a non-finite sample has
    // poisoned; cheap enough for every block.
    void recoverNonFinite();

    // What the loops read and write. A section's input history is the output
    // history of the section above it, so each signal's history is kept once.
    struct State {
        // b0, b1, b2, a1, a2 of each section.
        alignas(16) double section[sections][5][2];
        double halfband[halfbandStages][2];
        struct alignas(16) Memory {
            // The last two values, newest first, of the signal into the top
            // section (index sections) and out of each section.
            double signal[sections + 1][2][2];
            // Input and output of each all-pass stage's last sample.
            double up[halfbandStages][2][2];
            double down[halfbandStages][2][2];
        } memory;
        // One piece of frames in and out, and the same at twice the rate.
        alignas(16) double frames[chunk][2];
        alignas(16) double oversampled[2 * chunk][2];
    };

private:
    using Loops = void (*)(State& state, int count, double volume, int mode);
    static void runSse2(State& state, int count, double volume, int mode);
    // Built for AVX2 and FMA: only called when the processor has them.
    static void runFma(State& state, int count, double volume, int mode);

    Loops loops;
    State state;
};

template <class Sample>
void Chain::process(const Sample* const* inputs, Sample* const* outputs, int offset, int count, double volume, int mode)
{
    for (int i = 0; i < count; ++i) {
        state.frames[i][0] = static_cast<double>(inputs[0][offset + i]);
        state.frames[i][1] = static_cast<double>(inputs[1][offset + i]);
    }
    loops(state, count, volume, mode);
    for (int i = 0; i < count; ++i) {
        outputs[0][offset + i] = static_cast<Sample>(state.frames[i][0]);
        outputs[1][offset + i] = static_cast<Sample>(state.frames[i][1]);
    }
}
