// The equalizer's signal chain: a half-band upsampler, the output mode, the
// bands' sections at twice the host's rate and a half-band downsampler.
// It runs pieces of frames group by group (each group one tight loop over
// the piece, its state in registers), so the processor overlaps consecutive
// samples. Left and right travel together as pairs of doubles, or as mid and
// side where the bands on them run.
//
// The loops exist in two builds: SSE2, which fixes the results, and AVX2 with
// FMA, taken on processors that have it, whose results differ from SSE2 only
// by rounding.
#pragma once

#include "filterdesign.h"

class Chain {
public:
    enum {
        bands = Vexparameters::bandCount,
        maxSections = bands + 2 * (Filterdesign::maxBandSections - 1),
        halfbandStages = 4,
        chunk = 256
    };
    enum class Path { sse2, fma };
    using Placement = Vexparameters::Placement;

    // A band as the chain runs it: its sections and the part of the signal
    // they act on.
    struct Band {
        Coefficients sections[Filterdesign::maxBandSections];
        int count;
        Placement placement;

        // One section that passes everything, on both channels.
        static Band flat() { return {{Coefficients::identity()}, 1, Placement::stereo}; }
    };

    // Flat sections, silent state, on the fastest path the processor has.
    Chain();

    static bool supports(Path path);
    // Runs on path from now on, if the processor supports it; answers whether it does.
    bool use(Path path);
    Path path() const;

    // The bands' new designs. Coefficients that keep every band's count and
    // placement take effect at once; a new arrangement fades in over
    // fadePairs oversampled frames (at once if none), after the fade under
    // way if there is one.
    void configure(const Band (&designs)[bands], int fadePairs);

    // Runs count (1 to chunk) frames from offset of the two input channels to
    // the two output channels. Every input is read before any output is
    // written, so the channels may be the same. mode is 0 to 3.
    template <class Sample>
    void process(const Sample* const* inputs, Sample* const* outputs, int offset, int count, double volume, int mode);

    // Clears filter and resampler state that a non-finite sample has
    // poisoned; cheap enough for every block.
    void recoverNonFinite();

    // Sections top down to top + 1 - size that run in one domain.
    struct Segment {
        int top, size;
        bool midSide;
    };
    // One arrangement of the bands' sections, with their history. Band 7's
    // sections come first (top, index count - 1), band 1's last; a band on
    // left or right has the identity in the other lane, as a band on mid or
    // side has in its lane of the mid/side pair. A section's input history
    // is the output history of the section above it, converted where the
    // domain changes, so each signal's history is kept once.
    struct alignas(16) Configuration {
        // b0, b1, b2, a1, a2 of each section, per lane.
        double section[maxSections][5][2];
        // The last two values, newest first, of the signal into the top
        // section (index count) and out of each section.
        double signal[maxSections + 1][2][2];
        int count, segments;
        Segment segment[maxSections];
        // Per band: its sections, placement, lowest section and domain.
        int bandSections[bands];
        Placement placement[bands];
        int base[bands];
        bool midSide[bands];
    };

    // What the loops read and write.
    struct State {
        double halfband[halfbandStages][2];
        struct alignas(16) Memory {
            // Input and output of each all-pass stage's last sample.
            double up[halfbandStages][2][2];
            double down[halfbandStages][2][2];
        } memory;
        Configuration configuration[2];
        // The configuration heard; while fadeLength is not 0 the other one
        // fades in, faded of fadeLength oversampled frames done.
        int heard = 0;
        int fadeLength = 0, faded = 0;
        // One piece of frames in and out, the same at twice the rate, and
        // a copy of that for the configuration that fades in.
        alignas(16) double frames[chunk][2];
        alignas(16) double oversampled[2 * chunk][2];
        alignas(16) double incoming[2 * chunk][2];
    };

private:
    using Loops = void (*)(State& state, int count, double volume, int mode);
    static void runSse2(State& state, int count, double volume, int mode);
    // Built for AVX2 and FMA: only called when the processor has them.
    static void runFma(State& state, int count, double volume, int mode);

    // Lays designs out in c, its histories silent.
    static void arrange(const Band (&designs)[bands], Configuration& c);
    static bool sameArrangement(const Band (&designs)[bands], const Configuration& c);
    static void setCoefficients(const Band (&designs)[bands], Configuration& c);
    // Starts to would-be histories from those of from, band by band.
    static void carryHistory(const Configuration& from, Configuration& to);
    // Takes the arrangement that waited for a fade to end.
    void configureWaiting();

    Loops loops;
    State state;
    Band waiting[bands];
    int waitingFade = 0;
    bool hasWaiting = false;
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
    if (hasWaiting && state.fadeLength == 0)
        configureWaiting();
}
