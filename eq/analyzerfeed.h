// What the audio thread hands the spectrum analyzer: the mono sum of each
// block's input (before the equalizer) and of its output (after the main
// volume), each in a ring of its own. The editor's thread makes the rings
// and chooses the taps while it shows the analyzer; otherwise the audio
// thread finds no tap in one atomic load per block (an acquire load, a
// plain load on x86) and writes nothing.
#pragma once

#include "samplering.h"

#include <atomic>
#include <memory>

class Analyzerfeed {
public:
    enum Tap : unsigned { input = 1, output = 2 };
    // Samples each ring holds: a sixth of a second at 192 kHz, enough for the
    // analysis frames the editor's timer runs about 30 times a second.
    static constexpr int ringSize = 32768;

    // Editor thread: makes the rings once (they stay until the equalizer
    // goes), then the audio thread writes to the taps named (Tap bits).
    void start(unsigned taps);
    void stop() { wanted.store(0, std::memory_order_relaxed); }

    // Audio thread: the taps to write this block.
    // Acquired: taps are only set once the rings are made.
    unsigned taps() const { return wanted.load(std::memory_order_acquire); }
    template <class Sample> void write(Tap tap, const Sample* left, const Sample* right, int frames)
    {
        ring(tap)->write(frames, [=](int i) { return 0.5f * static_cast<float>(left[i] + right[i]); });
    }

    // The tap's ring; null before the first start.
    Samplering* ring(Tap tap) const { return (tap == input ? inputRing : outputRing).get(); }

private:
    std::unique_ptr<Samplering> inputRing;
    std::unique_ptr<Samplering> outputRing;
    std::atomic<unsigned> wanted{0};
};
