// The seven-band stereo equalizer. Its filters run at twice the host's rate
// between half-band resampling stages (the Chain); left and right are
// processed together as pairs of doubles.
#pragma once

#include "analyzerfeed.h"
#include "chain.h"
#include "filterdesign.h"
#include "solo.h"
#include "vexdisplay.h"
#include "vexparameters.h"
#include "vexprogram.h"

#include "framework/plugin/log10map.h"
#include "framework/plugin/recallableplugin.h"

#include <atomic>

class alignas(16) Vex : public Framework::Recallableplugin<Vexprogram, Vexbank> {
public:
    enum { bandCount = Vexparameters::bandCount };

    Vex(Framework::Settingsfile& settings, Framework::Programfileios handlers, Framework::Host& host,
        Framework::Paramlistener& gui);

    // Runs frames stereo frames from the two input channels to the two
    // output channels; each frame is read before it is written, so the
    // buffers may be the same. Runs on the audio thread: never blocks.
    void process(const float* const* inputs, float* const* outputs, int frames);
    void process(const double* const* inputs, double* const* outputs, int frames);
    // The signal path runs on the fastest instructions the processor has;
    // tests and benchmarks choose one here. Answers whether it was taken.
    bool usePath(Chain::Path path) { return chain.use(path); }

    void setSampleRate(double rate) override;
    void initProgram(Vexprogram& program) override { defaults(program); }
    // The program every band starts from: all bells, flat.
    static void defaults(Vexprogram& program);

    // The band's sections designed from its current targets, its gain
    // scaled by gainScale. Waits on the plug-in lock: not for the audio thread.
    Chain::Band designFromTargets(int band, double gainScale);

    // The host's suspending the plug-in ends listening to a band alone.
    void suspend() override { solo.listen(Solo::none); }

    // The response curves and the status line the editor shows.
    Vexdisplay& display() { return view; }
    // The signal the editor's spectrum analyzer reads.
    Analyzerfeed& analyzerFeed() { return feed; }

    const Framework::Log10map frequencyMap{Vexparameters::bandRows[Vexparameters::frequency].map.low,
                                           Vexparameters::bandRows[Vexparameters::frequency].map.high};

protected:
    void parameterChanged(int index, bool onAudioThread) override;
    void programChanged() override;
    // After a step of the history or a switch of the compared settings the
    // status line names the program again, with its edited mark.
    void stepTaken() override { view.showProgram(); }
    void takeOverLive() override;

private:
    template <class Sample> void run(const Sample* const* inputs, Sample* const* outputs, int frames);
    // The band's sections from values, by Vexparameters::Bandparameter.
    Chain::Band design(int band, const double* values, double gainScale);
    // Audio thread: stages the designs the audio thread asked for, then
    // copies newly staged coefficients to active; false when there are none
    // or the coefficient lock is busy.
    bool takeOverCoefficients();
    // Under the coefficient lock: stages a band's design unless a design of
    // newer values is staged already.
    void stage(int band, const Chain::Band& designed, unsigned generation);

    Framework::Lock coefficientLock;
    Solo solo;
    Vexdisplay view{*this, solo};
    Analyzerfeed feed;
    Chain::Band staged[bandCount];
    unsigned stagedGeneration[bandCount] = {};
    bool coefficientsDirty = false;
    // Per band, how often its values changed: designs made from them carry it.
    std::atomic<unsigned> bandGeneration[bandCount] = {};
    // Bands whose sound the audio thread changed: a bit per band, designed
    // at the next tick.
    std::atomic<unsigned> redesignRequests{0};

    // Audio thread only.
    Chain::Band active[bandCount];
    unsigned redesigning = 0;
    double redesignValues[bandCount][Vexparameters::bandValueCount];
    double redesignScale = 1.0;
    unsigned redesignGeneration[bandCount] = {};
    double heardVolume = 1.0;
    int heardMode = 0;
    Chain chain;
    int soloBand = Solo::none;
    double soloValues[Vexparameters::bandValueCount] = {};
    // A piece's input while a band is listened to, and its output.
    alignas(16) double soloInput[Chain::chunk][2];
    alignas(16) double soloOutput[Chain::chunk][2];
    template <class Sample>
    void listenTo(const Sample* const* inputs, Sample* const* outputs, int offset, int count, double volume, int mode);
};
