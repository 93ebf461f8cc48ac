#include "bandwidth.h"

#include "bandtext.h"
#include "filterdesign.h"
#include "vexparameters.h"

#include "framework/plugin/log10map.h"

#include <algorithm>
#include <cmath>

namespace Bandwidth {

namespace {

using namespace Vexparameters;

const double ln2 = 0.6931471805599453;
// Gains nearer 0 dB than this are measured at it, with their sign.
const double smallestGain = 0.5;
// Halvings enough to find a frequency or a width to a millionth.
const int bisections = 48;

const Framework::Log10map& shelfMap()
{
    static const Framework::Log10map map{shelfWidth.low, shelfWidth.high};
    return map;
}

double rateOf(double fs)
{
    return fs > 0.0 ? fs : 44100.0;
}

// Where the response of set crosses level (dB) between lo and hi hertz,
// bisected on the logarithm of the frequency; inside: the side of lo.
double crossing(const Coefficients& set, double level, double lo, double hi, double fs)
{
    const bool loBeyond = std::fabs(Filterdesign::magnitudeDb(set, lo / fs)) > std::fabs(level);
    for (int i = 0; i < bisections; ++i) {
        const double middle = std::sqrt(lo * hi);
        const bool beyond = std::fabs(Filterdesign::magnitudeDb(set, middle / fs)) > std::fabs(level);
        (beyond == loBeyond ? lo : hi) = middle;
    }
    return std::sqrt(lo * hi);
}

// The bell's half-gain points around f0. The response falls to 0 dB at
// DC, so the lower one always exists; the upper one may lie beyond the
// Nyquist frequency, and is then taken as the lower one's mirror.
Width bellWidth(const double* values, int band, double gainScale, double fs)
{
    double v[bandValueCount];
    std::copy(values, values + bandValueCount, v);
    double g = v[gain] * gainScale;
    if (!(std::fabs(g) >= smallestGain))
        g = g < 0.0 ? -smallestGain : smallestGain;
    v[gain] = g;
    v[on] = 1.0;
    v[type] = 1.0;
    const double f0 = std::min(v[frequency], 0.45 * fs);
    const Coefficients set = Filterdesign::designBand(v, band, 1.0, fs);
    const double half = Filterdesign::magnitudeDb(set, f0 / fs) / 2.0;
    const double f1 = crossing(set, half, f0 * 1e-4, f0, fs);
    const double top = 0.5 * fs * (1.0 - 1e-9);
    const double f2 = std::fabs(Filterdesign::magnitudeDb(set, top / fs)) < std::fabs(half)
                          ? crossing(set, half, top, f0, fs)
                          : f0 * f0 / f1;
    const double octaves = std::log2(f2 / f1);
    return {qOf(octaves), octaves};
}

} // namespace

double octavesOf(double q)
{
    return 2.0 / ln2 * std::asinh(1.0 / (2.0 * q));
}

double qOf(double octaves)
{
    return 1.0 / (2.0 * std::sinh(ln2 / 2.0 * octaves));
}

bool of(const double* values, int band, double gainScale, double fs, Width& width)
{
    if (Bandtext::isPass(band, values[type]))
        return false;
    if (static_cast<int>(values[type]) == 1) {
        width = bellWidth(values, band, gainScale, rateOf(fs));
    } else {
        const double octaves = shelfMap().toReal(std::clamp(values[Vexparameters::width], 0.0, 1.0));
        width = {qOf(octaves), octaves};
    }
    return std::isfinite(width.q) && std::isfinite(width.octaves);
}

double parameterFor(double q, const double* values, int band, double gainScale, double fs)
{
    if (!(q > 0.0))
        return 1.0;
    if (static_cast<int>(values[type]) != 1)
        return std::clamp(shelfMap().toNormalized(octavesOf(q)), 0.0, 1.0);
    // The bell's Q falls as its width parameter grows.
    double v[bandValueCount];
    std::copy(values, values + bandValueCount, v);
    double narrow = 0.0, wide = 1.0;
    for (int i = 0; i < bisections; ++i) {
        v[Vexparameters::width] = (narrow + wide) / 2.0;
        (bellWidth(v, band, gainScale, rateOf(fs)).q > q ? narrow : wide) = v[Vexparameters::width];
    }
    return (narrow + wide) / 2.0;
}

} // namespace Bandwidth
