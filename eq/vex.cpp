#include "vex.h"

#include "framework/plugin/fixedtext.h"
#include "framework/plugin/host.h"

#include <algorithm>

using namespace Vexparameters;

Vex::Vex(Framework::Settingsfile& settings, Framework::Programfileios handlers, Framework::Host& host,
         Framework::Paramlistener& gui)
    : Recallableplugin(host, gui, settings, std::move(handlers), vexFirstParameterCount, 2.0, 500)
{
    std::fill(staged, staged + bandCount, Chain::Band::flat());
    std::fill(active, active + bandCount, Chain::Band::flat());
}

// How long a new arrangement of the chain fades in.
static constexpr double fadeSeconds = 0.005;

void Vex::defaults(Vexprogram& program)
{
    for (int i = 0; i < count; ++i)
        program.values[slot(i)] = defaultValue(i);
    Framework::copyText(program.name, "init");
}

// The audio path reads volume and mode from its own copies. The bands the
// audio thread changed take their values here, while the lock holds the
// targets still.
void Vex::takeOverLive()
{
    heardVolume = editBuffer.values[slot(volume)];
    const double outMode = editBuffer.values[slot(mode)];
    // Any value that is no mode leaves the signal unchanged.
    heardMode = outMode >= 0.0 && outMode < 4.0 ? static_cast<int>(outMode) : 0;
    // The band listened to, if any, with its values as they are now.
    soloBand = solo.listened();
    if (soloBand >= 0 && soloBand < bandCount)
        readBand(
            soloBand, [this](int i) { return targetValue(i); }, soloValues);
    redesigning |= redesignRequests.exchange(0, std::memory_order_acquire);
    if (!redesigning)
        return;
    // The generation first: the values read after it are at least as new.
    for (int b = 0; b < bandCount; ++b)
        if (redesigning & (1u << b))
            redesignGeneration[b] = bandGeneration[b].load(std::memory_order_acquire);
    for (int b = 0; b < bandCount; ++b)
        if (redesigning & (1u << b))
            readBand(
                b, [this](int i) { return targetValue(i); }, redesignValues[b]);
    redesignScale = targetValue(curve);
}

void Vex::setSampleRate(double rate)
{
    Plugin::setSampleRate(rate);
    // Every band is designed anew for the rate; targets a host set before
    // any audio ran are kept.
    resetParameters(false);
}

Chain::Band Vex::design(int band, const double* values, double gainScale)
{
    Chain::Band designed{};
    designed.count = Filterdesign::designSections(values, band, gainScale, designRate(), designed.sections);
    designed.placement = static_cast<Placement>(stepOf(values[placement], placementCount));
    return designed;
}

Chain::Band Vex::designFromTargets(int band, double gainScale)
{
    double values[bandValueCount];
    readBand(
        band, [this](int i) { return getValue(i); }, values);
    return design(band, values, gainScale);
}

// A band parameter redesigns its band, the curve scale every band. Zoom,
// volume and output mode need nothing here. The audio thread only asks for
// the design, which its next tick makes.
void Vex::parameterChanged(int changed, bool onAudioThread)
{
    const int band = bandOf(changed);
    const bool bandParameter = band >= 0;
    if (!bandParameter && changed != curve)
        return;
    if (bandParameter && changed < zoom)
        view.bandChanged(band);
    else if (bandParameter)
        view.bandPlaced(band);
    else
        view.curveScaleChanged();
    const int first = bandParameter ? band : 0;
    const int last = bandParameter ? band : bandCount - 1;
    // Designs are made outside the coefficient lock, on more than one thread:
    // each carries the generation of the values it was made from, and an
    // older one never replaces a newer one.
    unsigned generation[bandCount] = {};
    for (int b = first; b <= last; ++b)
        generation[b] = bandGeneration[b].fetch_add(1, std::memory_order_acq_rel) + 1;
    if (onAudioThread) {
        redesignRequests.fetch_or(((2u << last) - 1) & ~((1u << first) - 1), std::memory_order_release);
        return;
    }
    const double scale = getValue(curve);
    Chain::Band heard[bandCount];
    for (int b = first; b <= last; ++b)
        heard[b] = designFromTargets(b, scale);
    const Framework::Lock::Guard hold(coefficientLock);
    for (int b = first; b <= last; ++b)
        stage(b, heard[b], generation[b]);
}

void Vex::stage(int band, const Chain::Band& designed, unsigned generation)
{
    if (static_cast<int>(generation - stagedGeneration[band]) < 0)
        return;
    staged[band] = designed;
    stagedGeneration[band] = generation;
    coefficientsDirty = true;
}

void Vex::programChanged()
{
    std::string name;
    {
        const Framework::Lock::Guard hold(lock);
        name = Framework::textOf(editBuffer.name);
    }
    view.programLoaded(name);
}

bool Vex::takeOverCoefficients()
{
    Chain::Band designed[bandCount];
    for (int b = 0; b < bandCount; ++b)
        if (redesigning & (1u << b))
            designed[b] = design(b, redesignValues[b], redesignScale);
    const Framework::Lock::Tryguard hold(coefficientLock);
    if (!hold)
        return false;
    for (int b = 0; b < bandCount; ++b)
        if (redesigning & (1u << b))
            stage(b, designed[b], redesignGeneration[b]);
    redesigning = 0;
    if (!coefficientsDirty)
        return false;
    for (int b = 0; b < bandCount; ++b)
        active[b] = staged[b];
    coefficientsDirty = false;
    return true;
}

void Vex::process(const float* const* inputs, float* const* outputs, int frames)
{
    run(inputs, outputs, frames);
}

void Vex::process(const double* const* inputs, double* const* outputs, int frames)
{
    run(inputs, outputs, frames);
}

// The block runs in pieces of up to one chunk that each hear one set of
// coefficients and volume. Every control tick runs for its own sample; a
// piece ends before a tick that brings new values. The output mode is read
// once per block: a change takes effect at the next block. The analyzer's
// input tap reads the block before the chain may overwrite it in place.
template <class Sample> void Vex::run(const Sample* const* inputs, Sample* const* outputs, int frames)
{
    const unsigned taps = feed.taps();
    if (taps & Analyzerfeed::input)
        feed.write(Analyzerfeed::input, inputs[0], inputs[1], frames);
    takeOverUntimed();
    const int mode = heardMode;
    double volume = heardVolume;
    int start = 0;
    bool listening = false;
    // Listening follows the band as the last tick read it.
    const auto followSolo = [&] {
        listening = solo.engaged();
        if (!listening)
            return;
        const double rate = designRate() / oversamplingFactor;
        // A band whose values the last tick has not read yet waits.
        const bool ready = solo.listened() == soloBand && soloBand >= 0 && soloBand < bandCount;
        solo.follow(ready ? soloBand : Solo::none,
                    ready ? Filterdesign::soloSection(soloValues, soloBand, rate) : Coefficients::identity(),
                    static_cast<int>(rate * fadeSeconds));
    };
    followSolo();
    const auto flush = [&](int end) {
        if (end > start && listening)
            listenTo(inputs, outputs, start, end - start, volume, mode);
        else if (end > start)
            chain.process(inputs, outputs, start, end - start, volume, mode);
        start = end;
    };
    for (int end = 0; end < frames;) {
        bool ticked = false;
        const int count = tickPiece(std::min(frames - end, start + Chain::chunk - end), ticked);
        // A tick may start, move or end listening within the block.
        if (ticked && (listening || solo.engaged())) {
            flush(end);
            followSolo();
        }
        const bool arrived = ticked && takeOverCoefficients();
        if (arrived || heardVolume != volume) {
            flush(end);
            if (arrived)
                chain.configure(active, static_cast<int>(designRate() * fadeSeconds));
            volume = heardVolume;
        }
        end += count;
        if (end == frames || end - start == Chain::chunk)
            flush(end);
    }
    chain.recoverNonFinite();
    if (taps & Analyzerfeed::output)
        feed.write(Analyzerfeed::output, outputs[0], outputs[1], frames);
}

// The piece through the chain, then towards what the band listened to
// acts on in its input.
template <class Sample>
void Vex::listenTo(const Sample* const* inputs, Sample* const* outputs, int offset, int count, double volume, int mode)
{
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 2; ++c)
            soloInput[i][c] = static_cast<double>(inputs[c][offset + i]);
    chain.process(inputs, outputs, offset, count, volume, mode);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 2; ++c)
            soloOutput[i][c] = static_cast<double>(outputs[c][offset + i]);
    solo.run(soloInput, soloOutput, count);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 2; ++c)
            outputs[c][offset + i] = static_cast<Sample>(soloOutput[i][c]);
}
