#include "vex.h"

#include "framework/plugin/fixedtext.h"
#include "framework/plugin/host.h"
#include "framework/plugin/numberformat.h"

#include <algorithm>

using namespace Vexparameters;

Vex::Vex(Framework::Settingsfile& settings, Framework::Programfileios handlers, Framework::Host& host,
         Framework::Paramlistener& gui)
    : Recallableplugin(host, gui, settings, std::move(handlers), 2.0, 500)
{
    for (int b = 0; b < bandCount; ++b) {
        display[b] = stagedCoefficients[b] = Coefficients::identity();
        bandDirty[b].store(false, std::memory_order_relaxed);
    }
}

static_assert(Chain::sections == bandCount, "a chain section per band");

void Vex::defaults(Vexprogram& program)
{
    for (int i = 0; i < count; ++i)
        program.values[slot(i)] = defaultValue(i);
    Framework::copyText(program.name, "init");
}

void Vex::takeOverLive()
{
    heardVolume = editBuffer.values[slot(volume)];
    const double outMode = editBuffer.values[slot(mode)];
    // Any value that is no mode leaves the signal unchanged.
    heardMode = outMode >= 0.0 && outMode < 4.0 ? static_cast<int>(outMode) : 0;
}

void Vex::setSampleRate(double rate)
{
    Plugin::setSampleRate(rate);
    // Every band is designed anew for the rate; targets a host set before
    // any audio ran are kept.
    resetParameters(false);
}

Coefficients Vex::designFromTargets(int band, double gainScale)
{
    const double fs = designRate();
    return Filterdesign::designBand(getValue(index(band, on)), getValue(index(band, type)),
                                    getValue(index(band, frequency)), getValue(index(band, gain)) * gainScale,
                                    getValue(index(band, width)), band, fs, bellWidthMap, shelfWidthMap);
}

std::string Vex::bandSummary(int band, double scale)
{
    const double f0 = getValue(index(band, frequency));
    std::string line =
        f0 >= 1000.0 ? Framework::formatFixed(f0 / 1000.0, 2) + " khz " : Framework::formatFixed(f0, 2) + " hz ";
    line += Framework::formatFixed(getValue(index(band, gain)) * scale, 2) + " dB ";
    line += Framework::formatFixed(getValue(index(band, width)), 2) + " q";
    return line;
}

// A band parameter redesigns its band for the display and the sound; the
// curve scale redesigns the sound of every band. Zoom, volume and output mode
// need nothing here.
void Vex::parameterChanged(int changed)
{
    const int band = bandOf(changed);
    const bool bandParameter = band >= 0;
    if (!bandParameter && changed != curve)
        return;
    const double scale = getValue(curve);
    const int first = bandParameter ? band : 0;
    const int last = bandParameter ? band : bandCount - 1;
    Coefficients shown = Coefficients::identity();
    Coefficients heard[bandCount];
    for (int b = first; b <= last; ++b) {
        if (bandParameter) {
            shown = designFromTargets(b, 1.0);
            // At scale 1 the sound is the display's design.
            heard[b] = scale == 1.0 ? shown : designFromTargets(b, scale);
        } else {
            heard[b] = designFromTargets(b, scale);
        }
        bandDirty[b].store(true, std::memory_order_relaxed);
    }
    const std::string status =
        bandParameter ? bandSummary(first, scale) : "Curve scale " + Framework::formatFixed(scale, 2);
    const Framework::Lock::Guard hold(coefficientLock);
    if (bandParameter)
        display[first] = shown;
    for (int b = first; b <= last; ++b)
        stagedCoefficients[b] = heard[b];
    coefficientsDirty = true;
    statusText = status;
}

void Vex::programChanged()
{
    std::string name;
    {
        const Framework::Lock::Guard hold(lock);
        name = Framework::textOf(editBuffer.name);
    }
    setStatus(name);
}

void Vex::setStatus(const std::string& text)
{
    const Framework::Lock::Guard hold(coefficientLock);
    statusText = text;
}

std::string Vex::text(const void* /*requester*/)
{
    const Framework::Lock::Guard hold(coefficientLock);
    return statusText;
}

Coefficients Vex::bandCurve(int band)
{
    bandDirty[band].store(false, std::memory_order_relaxed);
    const Framework::Lock::Guard hold(coefficientLock);
    return display[band];
}

bool Vex::takeOverCoefficients()
{
    const Framework::Lock::Tryguard hold(coefficientLock);
    if (!hold || !coefficientsDirty)
        return false;
    for (int b = 0; b < bandCount; ++b)
        heardCoefficients[b] = stagedCoefficients[b];
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
// coefficients, volume and mode. Every control tick runs for its own sample;
// a piece ends before a tick that brings new values.
template <class Sample> void Vex::run(const Sample* const* inputs, Sample* const* outputs, int frames)
{
    takeOverUntimed();
    double volume = heardVolume;
    int mode = heardMode;
    int start = 0;
    const auto flush = [&](int end) {
        if (end > start)
            chain.process(inputs, outputs, start, end - start, volume, mode);
        start = end;
    };
    for (int end = 0; end < frames;) {
        bool ticked = false;
        const int count = tickPiece(std::min(frames - end, start + Chain::chunk - end), ticked);
        const bool arrived = ticked && takeOverCoefficients();
        if (arrived || heardVolume != volume || heardMode != mode) {
            flush(end);
            for (int b = 0; arrived && b < bandCount; ++b)
                chain.setSection(b, heardCoefficients[b]);
            volume = heardVolume;
            mode = heardMode;
        }
        end += count;
        if (end == frames || end - start == Chain::chunk)
            flush(end);
    }
    chain.recoverNonFinite();
}
