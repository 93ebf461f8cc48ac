#include "vexdisplay.h"

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

std::string Vexdisplay::bandSummary(int band)
{
    const double f0 = vex.getValue(index(band, frequency));
    std::string line =
        f0 >= 1000.0 ? Framework::formatFixed(f0 / 1000.0, 2) + " khz " : Framework::formatFixed(f0, 2) + " hz ";
    line += Framework::formatFixed(vex.getValue(index(band, gain)) * vex.getValue(curve), 2) + " dB ";
    line += Framework::formatFixed(vex.getValue(index(band, width)), 2) + " q";
    return line;
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
