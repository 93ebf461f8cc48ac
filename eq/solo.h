// Listening to one band alone: the output becomes the part of the input the
// band acts on (Filterdesign::soloSection), faded in and out over a few
// milliseconds. The editor asks for it through an atomic; the audio path
// does nothing but read that atomic while no band is listened to.
#pragma once

#include "filterdesign.h"

#include <atomic>

class Solo {
public:
    enum { none = -1 };

    // Any thread: the band to listen to, or none.
    void listen(int band) { requested.store(band, std::memory_order_relaxed); }
    int listened() const { return requested.load(std::memory_order_relaxed); }

    // Audio thread. Whether the next piece needs run: a band is listened to
    // or fading out.
    bool engaged() const { return listened() != none || mix > 0.0; }
    // The band listened to (none when none is) and its section for the
    // rate, designed on the audio thread from its values; fadeFrames is the
    // fade's length. A band keeps its section while it fades out; a band
    // listened to while another still sounds fades in once that one has
    // faded out.
    void follow(int band, const Coefficients& section, int fadeFrames);
    // Mixes count frames of out towards the section's output of in.
    void run(const double (*in)[2], double (*out)[2], int count);

private:
    // Starts the band that waits, from silence.
    void startNext();

    std::atomic<int> requested{none};
    // Audio thread only: the band heard and its section, and the band that
    // waits for it to fade out and its section.
    Coefficients heard = Coefficients::identity();
    int heardBand = none;
    Coefficients next = Coefficients::identity();
    int nextBand = none;
    double history[2][2][2] = {}; // per channel: last two inputs, last two outputs
    double mix = 0.0, step = 1.0;
    bool on = false;
};
