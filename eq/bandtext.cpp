#include "bandtext.h"

#include "vexparameters.h"

#include "framework/plugin/numberformat.h"

#include <cmath>

using Framework::formatFixed;

namespace Bandtext {

namespace {

int kindOf(double type)
{
    return type > -1.0 && type < 3.0 ? static_cast<int>(type) : 1;
}

} // namespace

// The precision is chosen on the rounded value, so 999.99 Hz reads 1.00 kHz.
std::string frequency(double hertz)
{
    if (std::fabs(hertz) < 99.95)
        return formatFixed(hertz, 1) + " Hz";
    if (std::fabs(hertz) < 999.5)
        return formatFixed(hertz, 0) + " Hz";
    if (std::fabs(hertz) < 9995.0)
        return formatFixed(hertz / 1000.0, 2) + " kHz";
    return formatFixed(hertz / 1000.0, 1) + " kHz";
}

std::string gain(double decibels)
{
    const std::string text = formatFixed(decibels, 1);
    if (text == "0.0" || text == "-0.0")
        return "0.0 dB";
    return (decibels > 0.0 ? "+" : "") + text + " dB";
}

std::string q(double q)
{
    return formatFixed(q, q < 9.995 ? 2 : q < 99.95 ? 1 : 0);
}

std::string octaves(double octaves)
{
    return formatFixed(octaves, 2) + " oct";
}

std::string slope(int step)
{
    return Framework::formatInt(12 * (step + 1)) + " dB/oct";
}

std::string kind(int band, double type, bool whole)
{
    const int k = kindOf(type);
    if (k == 1)
        return "bell";
    if (isPass(band, type))
        return k == 0 ? (whole ? "high-pass" : "hp") : (whole ? "low-pass" : "lp");
    if (k == 0)
        return whole ? "high shelf" : "hi sh";
    return whole ? "low shelf" : "lo sh";
}

bool isPass(int band, double type)
{
    const int k = kindOf(type);
    return (band == 0 && k == 0) || (band == Vexparameters::bandCount - 1 && k == 2);
}

} // namespace Bandtext
