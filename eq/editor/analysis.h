// What the analyzer shows, worked out on the editor's thread: at every frame
// it drains the taps' rings, runs a Blackman-Harris windowed real FFT over
// the newest samples and turns the bins into a level per column of the
// curve display (dBFS, a full-scale sine reading 0), held with a fast
// attack and a release of 20 dB a second.
#pragma once

#include "eq/analyzerfeed.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct kiss_fftr_state;

class Analysis {
public:
    // The levels shown at the display's top and bottom.
    static constexpr float topDb = 0.0f, floorDb = -96.0f;
    // Frames a second the editor runs, and the release per frame.
    static constexpr double frameRate = 30.0;
    static constexpr float releasePerFrame = static_cast<float>(20.0 / frameRate);
    // Frames without new samples after which a tap counts as silent: the
    // host stopped calling, so the display falls to the floor.
    static constexpr int idleFrames = 8;

    explicit Analysis(int columns);
    ~Analysis();
    Analysis(const Analysis&) = delete;
    Analysis& operator=(const Analysis&) = delete;

    // The equalizer whose signal it reads; before it, frames do nothing.
    void connect(Analyzerfeed& feed) { source = &feed; }
    // Shows the taps named (Analyzerfeed::Tap bits) from now on: reading
    // begins at the rings' newest sample and the levels at the floor.
    void show(unsigned taps);
    bool shows(Analyzerfeed::Tap tap) const { return (shownTaps & tap) != 0; }
    // One frame at the host's rate; answers whether a shown level changed.
    bool frame(double rate);

    // Per column, the level in dBFS of a tap, floorDb when nothing shows.
    const std::vector<float>& levels(Analyzerfeed::Tap tap) const { return tapOf(tap).shown; }
    // Whether every level of a tap lies at the floor.
    bool silent(Analyzerfeed::Tap tap) const { return tapOf(tap).silent; }
    // The transform's size at a rate: a bin of 20 Hz or finer.
    static int sizeFor(double rate);

private:
    struct Tap {
        std::uint32_t position = 0;
        std::vector<float> history; // the newest size samples, oldest first
        std::vector<float> shown;
        int framesWithout = 0;
        // Samples since the ring last skipped some: the history is one
        // stretch of signal once they fill it.
        int sinceLoss = 0;
        bool silent = true;
    };
    const Tap& tapOf(Analyzerfeed::Tap tap) const { return taps[tap == Analyzerfeed::input ? 0 : 1]; }
    // Makes the transform, the window and the column map for a rate.
    void configure(double rate);
    // Drains the ring into the tap's history; false when nothing came.
    // After the ring skipped samples the history joins two stretches of
    // signal, whose seam would show as a burst across the spectrum: the
    // shown levels hold until new samples fill it.
    bool drain(Tap& tap, Samplering& ring);
    // The bins' levels of the tap's history, in dB.
    void transform(const Tap& tap);
    // The level of column c from the bins' levels.
    float columnLevel(int c) const;
    // Moves the shown levels towards target; true when one changed.
    bool follow(Tap& tap, bool silence);

    const int columns;
    Analyzerfeed* source = nullptr;
    unsigned shownTaps = 0;
    double configuredRate = 0.0;
    int size = 0;
    struct Freeconfig {
        void operator()(kiss_fftr_state* config) const;
    };
    std::unique_ptr<kiss_fftr_state, Freeconfig> config;
    std::vector<float> window;
    std::vector<float> windowed;
    std::vector<float> bins; // kiss_fft_cpx pairs
    std::vector<float> binDb;
    std::vector<float> incoming;
    // Per column, as fractional bins: its edges and its frequency.
    std::vector<float> lowEdge, highEdge, position;
    std::array<Tap, 2> taps;
};
