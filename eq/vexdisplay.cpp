#include "vexdisplay.h"

#include "bandtext.h"

#include "framework/plugin/numberformat.h"

using namespace Vexparameters;

Vexdisplay::Vexdisplay(Equalizer& equalizer, Solo& solo) : vex(equalizer), solo(solo)
{
    for (auto& dirty : bandDirty)
        dirty.store(false, std::memory_order_relaxed);
}

void Vexdisplay::bandChanged(int band)
{
    bandDirty[band].store(true, std::memory_order_relaxed);
    subject.store(band, std::memory_order_release);
}

void Vexdisplay::curveScaleChanged()
{
    subject.store(curveSubject, std::memory_order_release);
}

void Vexdisplay::tell(const std::string& text)
{
    {
        const Framework::Lock::Guard hold(nameLock);
        message = text;
    }
    subject.store(messageSubject, std::memory_order_release);
}

void Vexdisplay::programLoaded(const std::string& name)
{
    {
        const Framework::Lock::Guard hold(nameLock);
        programName = name;
    }
    showProgram();
}

int Vexdisplay::bandCurve(int band, Coefficients (&sections)[Filterdesign::maxBandSections])
{
    bandDirty[band].store(false, std::memory_order_relaxed);
    double values[bandValueCount];
    readBand(
        band, [this](int i) { return vex.getValue(i); }, values);
    return Filterdesign::designSections(values, band, 1.0, vex.designRate(), sections);
}

double Vexdisplay::designRate()
{
    return vex.designRate();
}

double Vexdisplay::value(int index)
{
    return vex.getValue(index);
}

// "3: bell 1.20 kHz +3.0 dB", at most 26 characters, as the status line
// holds: the band's number, its filter, frequency and gain as heard (or a
// pass filter's slope); the display's readout tells the width.
std::string Vexdisplay::bandSummary(int band)
{
    const double kind = vex.getValue(index(band, type));
    std::string line = Framework::formatInt(band + 1) + ": " + Bandtext::kind(band, kind, false) + " " +
                       Bandtext::frequency(vex.getValue(index(band, frequency))) + " ";
    if (Bandtext::isPass(band, kind))
        return line + Bandtext::slope(stepOf(vex.getValue(index(band, slope)), slopeSteps));
    return line + Bandtext::gain(vex.getValue(index(band, gain)) * vex.getValue(curve));
}

std::string Vexdisplay::text(const void* /*requester*/)
{
    const int shown = subject.load(std::memory_order_acquire);
    if (shown == curveSubject)
        return "Curve scale " + Framework::formatFixed(vex.getValue(curve), 2);
    if (shown == messageSubject) {
        const Framework::Lock::Guard hold(nameLock);
        return message;
    }
    if (shown == programSubject) {
        const bool edited = vex.differsFromProgram();
        const Framework::Lock::Guard hold(nameLock);
        return edited ? programName + " *" : programName;
    }
    return shown == noSubject ? std::string() : bandSummary(shown);
}
