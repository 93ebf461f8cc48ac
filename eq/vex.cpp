#include "vex.h"

#include "editor/vexgui.h"
#include "framework/gui/numberformat.h"
#include "framework/vst/host.h"

#include <cstring>

namespace {

// Parameter indices of band b's on/off, frequency, width, gain and type.
int onIndex(int band)
{
    return 5 * band;
}
int frequencyIndex(int band)
{
    return 5 * band + 1;
}
int widthIndex(int band)
{
    return 5 * band + 2;
}
int gainIndex(int band)
{
    return 5 * band + 3;
}
int typeIndex(int band)
{
    return 5 * band + 4;
}

} // namespace

Vex::Vex(Framework::Settingsfile& settings, Framework::Programfileios handlers, Framework::Host& host, Vexgui& gui)
    : Recallableplugin(host, gui, settings, std::move(handlers), 2.0, 500)
{
    for (int b = 0; b < bandCount; ++b) {
        display[b] = pending[b] = Coefficients::identity();
        bandDirty[b].store(false, std::memory_order_relaxed);
        active[b] = broadcast(Coefficients::identity());
        const __m128d zero = _mm_setzero_pd();
        history[b] = {zero, zero, zero, zero};
    }
    double coefficients[halfbandStages];
    Filterdesign::designHalfband(halfbandStages, static_cast<double>(0.45f), coefficients);
    for (int i = 0; i < halfbandStages; ++i) {
        halfbandCoefficients[i] = _mm_set1_pd(coefficients[i]);
        upsampler.x[i] = upsampler.y[i] = _mm_setzero_pd();
        downsampler.x[i] = downsampler.y[i] = _mm_setzero_pd();
    }
}

void Vex::defaults(Vexprogram& program)
{
    static const double frequencies[bandCount] = {50, 100, 300, 700, 1000, 2000, 5000};
    for (int b = 0; b < bandCount; ++b) {
        program.values[5 * b + 0] = frequencies[b];
        program.values[5 * b + 1] = 0.0;
        program.values[5 * b + 2] = 0.6180339887498949;
        program.values[5 * b + 3] = 1.0;
        program.values[5 * b + 4] = 1.0;
    }
    program.values[35] = 1.0;
    program.values[36] = 1.0;
    program.values[37] = 12.0;
    program.values[38] = 0.0;
    std::memset(program.name, 0, sizeof program.name);
    std::strcpy(program.name, "init");
}

int Vex::outputMode() const
{
    const double mode = editBuffer.values[38];
    // Any value that is no mode leaves the signal unchanged.
    return mode >= 0.0 && mode < 4.0 ? static_cast<int>(mode) : 0;
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
    const double fs = static_cast<double>(host.samplerate()) * oversamplingFactor;
    return Filterdesign::designBand(getValue(onIndex(band)), getValue(typeIndex(band)), getValue(frequencyIndex(band)),
                                    getValue(gainIndex(band)) * gainScale, getValue(widthIndex(band)), band, fs,
                                    bellWidthMap, shelfWidthMap);
}

std::string Vex::bandSummary(int band, double scale)
{
    const double f0 = getValue(frequencyIndex(band));
    std::string line =
        f0 >= 1000.0 ? Framework::formatFixed(f0 / 1000.0, 2) + " khz " : Framework::formatFixed(f0, 2) + " hz ";
    line += Framework::formatFixed(getValue(gainIndex(band)) * scale, 2) + " dB ";
    line += Framework::formatFixed(getValue(widthIndex(band)), 2) + " q";
    return line;
}

// A band parameter redesigns its band for the display and the sound; the
// curve scale redesigns the sound of every band. Zoom, volume and output mode
// need nothing here.
void Vex::parameterChanged(int index)
{
    const Framework::Paramdescriptor* d = descriptor(index);
    const bool bandParameter = d && d->group >= 0 && d->group < bandCount;
    if (!bandParameter && index != curveIndex)
        return;
    const double scale = getValue(curveIndex);
    const int first = bandParameter ? d->group : 0;
    const int last = bandParameter ? d->group : bandCount - 1;
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
    coefficientLock.enter();
    if (bandParameter)
        display[first] = shown;
    for (int b = first; b <= last; ++b)
        pending[b] = heard[b];
    coefficientsDirty = true;
    statusText = status;
    coefficientLock.leave();
}

void Vex::programChanged()
{
    setStatus(std::string(editBuffer.name, strnlen(editBuffer.name, sizeof editBuffer.name)));
}

void Vex::setStatus(const std::string& text)
{
    coefficientLock.enter();
    statusText = text;
    coefficientLock.leave();
}

std::string Vex::text(const void* /*requester*/)
{
    coefficientLock.enter();
    std::string copy = statusText;
    coefficientLock.leave();
    return copy;
}

Coefficients Vex::bandCurve(int band)
{
    coefficientLock.enter();
    const Coefficients curve = display[band];
    coefficientLock.leave();
    bandDirty[band].store(false, std::memory_order_relaxed);
    return curve;
}

void Vex::takeOverCoefficients()
{
    if (!coefficientLock.tryEnter())
        return;
    if (coefficientsDirty) {
        for (int b = 0; b < bandCount; ++b)
            active[b] = broadcast(pending[b]);
        coefficientsDirty = false;
    }
    coefficientLock.leave();
}

Vex::Section Vex::broadcast(const Coefficients& c)
{
    return {_mm_set1_pd(c.numerator[0]), _mm_set1_pd(c.numerator[1]), _mm_set1_pd(c.numerator[2]),
            _mm_set1_pd(c.denominator[1]), _mm_set1_pd(c.denominator[2])};
}

__m128d Vex::allpass(Halfband& filter, int stage, __m128d in)
{
    const __m128d out =
        _mm_add_pd(_mm_mul_pd(_mm_sub_pd(in, filter.y[stage]), halfbandCoefficients[stage]), filter.x[stage]);
    filter.x[stage] = in;
    filter.y[stage] = out;
    return out;
}

void Vex::processSample(const Vexprogram& program, int outMode)
{
    if (tick())
        takeOverCoefficients();

    // Up-sampling: two all-pass paths give the two oversampled pairs.
    const __m128d x = _mm_load_pd(frame);
    __m128d pair[2];
    pair[0] = allpass(upsampler, 2, allpass(upsampler, 0, x));
    pair[1] = allpass(upsampler, 3, allpass(upsampler, 1, x));

    for (__m128d& p : pair) {
        switch (outMode) {
        case 1: // both channels take the right input
            p = _mm_unpackhi_pd(p, p);
            break;
        case 2: // mid
            p = _mm_mul_pd(_mm_add_pd(p, _mm_shuffle_pd(p, p, 1)), _mm_set1_pd(0.5));
            break;
        case 3: // both channels take the left input
            p = _mm_unpacklo_pd(p, p);
            break;
        default:
            break;
        }
    }

    // Bands 7 down to 1, on both pairs in turn with one history.
    for (__m128d& p : pair) {
        for (int b = bandCount - 1; b >= 0; --b) {
            const Section& s = active[b];
            History& h = history[b];
            const __m128d y = _mm_sub_pd(
                _mm_sub_pd(_mm_add_pd(_mm_add_pd(_mm_mul_pd(s.b0, p), _mm_mul_pd(s.b1, h.x1)), _mm_mul_pd(s.b2, h.x2)),
                           _mm_mul_pd(s.a1, h.y1)),
                _mm_mul_pd(s.a2, h.y2));
            h.x2 = h.x1;
            h.x1 = p;
            h.y2 = h.y1;
            h.y1 = y;
            p = y;
        }
    }

    // Down-sampling: path A takes the second pair, path B the first.
    const __m128d a = allpass(downsampler, 2, allpass(downsampler, 0, pair[1]));
    const __m128d b = allpass(downsampler, 3, allpass(downsampler, 1, pair[0]));

    __m128d out = _mm_mul_pd(_mm_mul_pd(_mm_add_pd(a, b), _mm_set1_pd(0.5)), _mm_set1_pd(program.values[35]));
    // Values too small to hear become exactly zero.
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), out);
    out = _mm_andnot_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(1e-12)), out);
    _mm_store_pd(frame, out);
}
