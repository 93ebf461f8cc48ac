#include "filterdesign.h"

#include "vexparameters.h"

#include "framework/plugin/log10map.h"

#include <algorithm>
#include <cmath>

Coefficients Coefficients::identity()
{
    return {{1.0, 0.0, 0.0}, {1.0, 0.0, 0.0}};
}

namespace Filterdesign {

namespace {

const double pi = 3.141592653589793;
const double piSquared = 9.869604401089358;
const double sqrt2 = 1.4142135623730951;

const int firstBand = 0;
const int lastBand = 6;

// Bound on the terms of each half-band series. Any transition that gives a
// real design converges in under 30 terms; the bound only stops input that
// would make a series run on forever.
const int maxSeriesTerms = 100;

double square(double value)
{
    return value * value;
}

// Gains this close to 0 dB leave the band out altogether rather than design a
// section that is nearly, but not exactly, transparent.
bool inDeadZone(double gain)
{
    return gain > -0.0001 && gain < 0.0001;
}

// Corner frequencies are kept below this fraction of the design rate: near
// and above the Nyquist frequency the formulas put poles outside the unit
// circle (a host at 11.025 kHz runs its sections at 22.05 kHz, yet a band may
// ask for 20 kHz).
const double highestCorner = 0.45;

bool isFinite(const Coefficients& set)
{
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(set.numerator[i]) || !std::isfinite(set.denominator[i]))
            return false;
    return true;
}

// Both poles of 1 + a1 z^-1 + a2 z^-2 lie strictly inside the unit circle.
bool isStable(const Coefficients& set)
{
    const double a1 = set.denominator[1], a2 = set.denominator[2];
    return std::fabs(a2) < 1.0 && std::fabs(a1) < 1.0 + a2;
}

// The terms both shelves share: amplitude a, cosine of the corner cs, and
// the bandwidth term s.
void shelfTerms(double gain, double f0, double bandwidth, double fs, double& a, double& cs, double& s)
{
    a = std::pow(10.0, gain / 40.0);
    const double w0 = 2.0 * pi * f0 / fs;
    cs = std::cos(w0);
    const double sn = std::sin(w0);
    const double alpha = sn * std::sinh(std::log(2.0) / 2.0 * bandwidth * w0 / sn);
    s = 2.0 * std::sqrt(a) * alpha;
}

// Butterworth section of damping d (1 / Q) from the bilinear transform,
// prewarped so that the corner lands exactly on f0.
Coefficients butterworth(double f0, double fs, bool high, double d)
{
    const double w = 2.0 * pi * f0 / fs;
    const double k = w / std::tan(w / 2.0);
    const double k2 = k * k;
    const double w2 = w * w;
    const double den = k2 + d * k * w + w2;
    const double n = high ? k2 : w2;
    const double b1 = high ? -2.0 * n / den : 2.0 * n / den;
    return {{n / den, b1, n / den}, {1.0, 2.0 * (w2 - k2) / den, (k2 - d * k * w + w2) / den}};
}

// The damping of section k of an even-order Butterworth filter: its pole
// pair's angle from the imaginary axis. Order 2 keeps the exact constant.
double butterworthDamping(int order, int k)
{
    return order == 2 ? sqrt2 : 2.0 * std::sin((2.0 * k + 1.0) * pi / (2.0 * order));
}

// Squared magnitude, up to a common factor, of c0 + c1 z^-1 + c2 z^-2 on the
// unit circle, written in phi = (2 sin(pi x))^2.
double power(const double* c, double phi)
{
    return square(c[0] + c[1] + c[2]) + phi * (phi * c[0] * c[2] - (c[1] * (c[0] + c[2]) + 4.0 * c[0] * c[2]));
}

double alternating(int j)
{
    return j % 2 == 0 ? 1.0 : -1.0;
}

// The section of an active band of type 0, 1 or 2.
Coefficients designType(int type, double f0, double gain, double width, int band, double fs,
                        const Framework::Map& bellWidthMap, const Framework::Map& shelfWidthMap)
{
    switch (type) {
    case 0:
        return band == firstBand ? highPass(f0, fs) : highShelf(gain, f0, shelfWidthMap.toReal(width), fs);
    case 1:
        return bell(gain, f0, bellWidthMap.toReal(width), fs);
    default:
        return band == lastBand ? lowPass(f0, fs) : lowShelf(gain, f0, shelfWidthMap.toReal(width), fs);
    }
}

} // namespace

Coefficients designBand(double on, double type, double f0, double gain, double width, int band, double fs,
                        const Framework::Map& bellWidthMap, const Framework::Map& shelfWidthMap)
{
    // The type truncates toward zero; values that do not truncate to 0, 1 or 2
    // (and NaN) name no type.
    if (!(on > 0.5) || !(type > -1.0 && type < 3.0))
        return Coefficients::identity();
    const double corner = std::min(f0, highestCorner * fs);
    const Coefficients set =
        designType(static_cast<int>(type), corner, gain, width, band, fs, bellWidthMap, shelfWidthMap);
    // A band whose settings cannot be realised stays transparent instead of
    // filling the filter state with NaN or letting it grow without bound.
    return isFinite(set) && isStable(set) ? set : Coefficients::identity();
}

int designSections(const double* values, int band, double gainScale, double fs, Coefficients* sections)
{
    using namespace Vexparameters;
    sections[0] = designBand(values, band, gainScale, fs);
    // The type truncates toward zero, as designBand reads it.
    const int kind = values[type] > -1.0 && values[type] < 3.0 ? static_cast<int>(values[type]) : -1;
    const bool pass = values[on] > 0.5 && ((band == 0 && kind == 0) || (band == bandCount - 1 && kind == 2));
    const int count = pass ? stepOf(values[slope], slopeSteps) + 1 : 1;
    if (count == 1)
        return 1;
    const double corner = std::min(values[frequency], highestCorner * fs);
    for (int k = 0; k < count; ++k) {
        sections[k] = band == 0 ? highPass(corner, fs, 2 * count, k) : lowPass(corner, fs, 2 * count, k);
        if (!isFinite(sections[k]) || !isStable(sections[k]))
            sections[k] = Coefficients::identity();
    }
    return count;
}

Coefficients soloSection(const double* values, int band, double fs)
{
    using namespace Vexparameters;
    static const Framework::Log10map bellWidthMap{bellWidth.low, bellWidth.high};
    const int kind = values[type] > -1.0 && values[type] < 3.0 ? static_cast<int>(values[type]) : 1;
    const double f0 = std::min(std::max(values[frequency], 1.0), highestCorner * fs);
    Coefficients set;
    if (kind == 1) {
        // The bell's bandwidth is c times its frequency: Q is 1 / c.
        const double w0 = 2.0 * pi * f0 / fs;
        const double alpha = std::sin(w0) * bellWidthMap.toReal(values[width]) / 2.0;
        const double a0 = 1.0 + alpha;
        set = {{alpha / a0, 0.0, -alpha / a0}, {1.0, -2.0 * std::cos(w0) / a0, (1.0 - alpha) / a0}};
    } else {
        // Type 0 is the high-pass on band 1 and a high shelf elsewhere; type
        // 2 the low-pass on band 7 and a low shelf elsewhere.
        const bool pass = (kind == 0 && band == firstBand) || (kind == 2 && band == lastBand);
        const bool above = pass ? kind == 2 : kind == 0;
        set = above ? highPass(f0, fs) : lowPass(f0, fs);
    }
    return isFinite(set) && isStable(set) ? set : Coefficients::identity();
}

Coefficients designBand(const double* values, int band, double gainScale, double fs)
{
    using namespace Vexparameters;
    static const Framework::Log10map bellWidthMap{bellWidth.low, bellWidth.high};
    static const Framework::Log10map shelfWidthMap{shelfWidth.low, shelfWidth.high};
    return designBand(values[on], values[type], values[frequency], values[gain] * gainScale, values[width], band, fs,
                      bellWidthMap, shelfWidthMap);
}

// Peaking section with reference gain 1 whose gain at the Nyquist frequency is
// matched to the analog prototype, so the bell keeps its shape near fs / 2.
Coefficients bell(double gain, double f0, double c, double fs)
{
    if (inDeadZone(gain))
        return Coefficients::identity();
    const double g = std::pow(10.0, gain / 20.0);
    // The band edges are taken where the response reaches a gain a hair short
    // of the peak: 1 - phi/1000 of it in decibels, phi the golden ratio.
    const double gb = std::pow(g, 0.9983819660112501);
    const double w0 = 2.0 * pi * f0 / fs;
    const double t = std::tan(w0 / 2.0);
    const double df = (f0 + f0 * c / 2.0) - (f0 - f0 * c / 2.0);
    const double m = g > 1.0 ? 1.0 / gb : gb;
    const double dw = 2.0 * pi * df * m / fs;

    const double g2 = g * g;
    const double gb2 = gb * gb;
    const double ff = std::fabs(g2 - gb2);
    const double g00 = std::fabs(g2 - 1.0);
    const double f00 = std::fabs(gb2 - 1.0);

    const double offset = square(w0 * w0 - piSquared);
    const double spread = piSquared * square(dw) * f00 / ff;
    const double g1 = std::sqrt((offset + g2 * spread) / (offset + spread));

    const double g11 = std::fabs(g2 - g1 * g1);
    const double g01 = std::fabs(g2 - g1);
    const double f11 = std::fabs(gb2 - g1 * g1);
    const double f01 = std::fabs(gb2 - g1);

    const double w2 = std::sqrt(g11 / g00) * t * t;
    const double dww = (1.0 + std::sqrt(f00 / f11) * w2) * std::tan(dw / 2.0);
    const double cq = f11 * dww * dww - 2.0 * w2 * (f01 - std::sqrt(f00 * f11));
    const double dq = 2.0 * w2 * (g01 - std::sqrt(g00 * g11));
    const double ab = std::sqrt((cq + dq) / ff);
    const double bb = std::sqrt((g2 * cq + gb2 * dq) / ff);

    const double n = 1.0 + w2 + ab;
    return {{(g1 + w2 + bb) / n, -2.0 * (g1 - w2) / n, (g1 + w2 - bb) / n},
            {1.0, -2.0 * (1.0 - w2) / n, (1.0 + w2 - ab) / n}};
}

Coefficients highShelf(double gain, double f0, double bandwidth, double fs)
{
    if (inDeadZone(gain))
        return Coefficients::identity();
    double a, cs, s;
    shelfTerms(gain, f0, bandwidth, fs, a, cs, s);
    const double a0 = (a + 1.0) - (a - 1.0) * cs + s;
    return {{a * ((a + 1.0) + (a - 1.0) * cs + s) / a0, -2.0 * a * ((a - 1.0) + (a + 1.0) * cs) / a0,
             a * ((a + 1.0) + (a - 1.0) * cs - s) / a0},
            {1.0, 2.0 * ((a - 1.0) - (a + 1.0) * cs) / a0, ((a + 1.0) - (a - 1.0) * cs - s) / a0}};
}

Coefficients lowShelf(double gain, double f0, double bandwidth, double fs)
{
    if (inDeadZone(gain))
        return Coefficients::identity();
    double a, cs, s;
    shelfTerms(gain, f0, bandwidth, fs, a, cs, s);
    const double a0 = (a + 1.0) + (a - 1.0) * cs + s;
    return {{a * ((a + 1.0) - (a - 1.0) * cs + s) / a0, 2.0 * a * ((a - 1.0) - (a + 1.0) * cs) / a0,
             a * ((a + 1.0) - (a - 1.0) * cs - s) / a0},
            {1.0, -2.0 * ((a - 1.0) + (a + 1.0) * cs) / a0, ((a + 1.0) + (a - 1.0) * cs - s) / a0}};
}

Coefficients highPass(double f0, double fs)
{
    return butterworth(f0, fs, true, sqrt2);
}

Coefficients lowPass(double f0, double fs)
{
    return butterworth(f0, fs, false, sqrt2);
}

Coefficients highPass(double f0, double fs, int order, int k)
{
    return butterworth(f0, fs, true, butterworthDamping(order, k));
}

Coefficients lowPass(double f0, double fs, int order, int k)
{
    return butterworth(f0, fs, false, butterworthDamping(order, k));
}

double magnitudeDb(const Coefficients& set, double x)
{
    const double phi = square(2.0 * std::sin(pi * x));
    return 10.0 * std::log10(power(set.numerator, phi)) - 10.0 * std::log10(power(set.denominator, phi));
}

// Elliptic design: the modulus k follows from the transition band, the nome q
// from k, and each coefficient from theta-function series in q.
void designHalfband(int coefficientCount, double transition, double* coefficients)
{
    if (!coefficients)
        return;
    const double order = 2.0 * coefficientCount + 1.0;
    const double k = square(std::tan((1.0 - 2.0 * transition) * pi / 4.0));
    const double kk = std::pow(1.0 - k * k, 0.25);
    const double e = (1.0 - kk) / 2.0 / (1.0 + kk);
    const double e4 = std::pow(e, 4.0);
    const double q = e * (1.0 + e4 * (2.0 + e4 * (15.0 + 150.0 * e4)));

    // Each series stops once it has added a term no larger than 1e-100.
    for (int i = 1; i <= coefficientCount; ++i) {
        double num = 0.0;
        for (int j = 0; j < maxSeriesTerms; ++j) {
            const double term =
                alternating(j) * std::pow(q, j * (j + 1.0)) * std::sin((2.0 * j + 1.0) * i * pi / order);
            num += term;
            if (std::fabs(term) <= 1e-100)
                break;
        }
        double den = 0.5;
        for (int j = 1; j < maxSeriesTerms; ++j) {
            const double term = alternating(j) * std::pow(q, 1.0 * j * j) * std::cos(2.0 * j * i * pi / order);
            den += term;
            if (std::fabs(term) <= 1e-100)
                break;
        }
        const double ww = square(std::pow(q, 0.25) * num / den);
        const double x = std::sqrt((1.0 - ww / k) * (1.0 - ww * k)) / (1.0 + ww);
        coefficients[i - 1] = (1.0 - x) / (1.0 + x);
    }
}

} // namespace Filterdesign
