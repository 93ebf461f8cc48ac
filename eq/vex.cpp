#include "vex.h"

#include "framework/plugin/fixedtext.h"
#include "framework/plugin/host.h"
#include "framework/plugin/numberformat.h"

using namespace Vexparameters;


Vex::Vex(Framework::Settingsfile& settings, Framework::Programfileios handlers, Framework::Host& host,
         Framework::Paramlistener& gui)
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
        program.values[slot(b, frequency)] = frequencies[b];
        program.values[slot(b, gain)] = 0.0;
        program.values[slot(b, width)] = 0.6180339887498949;
        program.values[slot(b, on)] = 1.0;
        program.values[slot(b, type)] = 1.0;
    }
    program.values[slot(volume)] = 1.0;
    program.values[slot(curve)] = 1.0;
    program.values[slot(zoom)] = 12.0;
    program.values[slot(mode)] = 0.0;
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
    const double fs = static_cast<double>(host.samplerate()) * oversamplingFactor;
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
        pending[b] = heard[b];
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

void Vex::takeOverCoefficients()
{
    const Framework::Lock::Tryguard hold(coefficientLock);
    if (hold && coefficientsDirty) {
        for (int b = 0; b < bandCount; ++b)
            active[b] = broadcast(pending[b]);
        coefficientsDirty = false;
    }
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

void Vex::process(const float* const* inputs, float* const* outputs, int frames)
{
    run(inputs, outputs, frames);
}

void Vex::process(const double* const* inputs, double* const* outputs, int frames)
{
    run(inputs, outputs, frames);
}

template <class Sample> void Vex::run(const Sample* const* inputs, Sample* const* outputs, int frames)
{
    takeOverUntimed();
    for (int i = 0; i < frames; ++i) {
        frame[0] = static_cast<double>(inputs[0][i]);
        frame[1] = static_cast<double>(inputs[1][i]);
        processSample();
        outputs[0][i] = static_cast<Sample>(frame[0]);
        outputs[1][i] = static_cast<Sample>(frame[1]);
    }
    recoverNonFinite();
}

void Vex::recoverNonFinite()
{
    // x * 0 is 0 for every finite x and NaN otherwise: one sum tells.
    const __m128d zero = _mm_setzero_pd();
    __m128d sum = zero;
    for (int b = 0; b < bandCount; ++b) {
        const History& h = history[b];
        sum = _mm_add_pd(sum, _mm_mul_pd(_mm_add_pd(_mm_add_pd(h.x1, h.x2), _mm_add_pd(h.y1, h.y2)), zero));
    }
    for (const Halfband* filter : {&upsampler, &downsampler})
        for (int i = 0; i < halfbandStages; ++i)
            sum = _mm_add_pd(sum, _mm_mul_pd(_mm_add_pd(filter->x[i], filter->y[i]), zero));
    if (_mm_movemask_pd(_mm_cmpeq_pd(sum, zero)) == 3)
        return;
    for (History& h : history)
        h = {zero, zero, zero, zero};
    for (Halfband* filter : {&upsampler, &downsampler})
        for (int i = 0; i < halfbandStages; ++i)
            filter->x[i] = filter->y[i] = zero;
}

void Vex::processSample()
{
    if (tick())
        takeOverCoefficients();

    // Up-sampling: two all-pass paths give the two oversampled pairs.
    const __m128d x = _mm_load_pd(frame);
    __m128d pair[2];
    pair[0] = allpass(upsampler, 2, allpass(upsampler, 0, x));
    pair[1] = allpass(upsampler, 3, allpass(upsampler, 1, x));

    for (__m128d& p : pair) {
        switch (heardMode) {
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

    __m128d out = _mm_mul_pd(_mm_mul_pd(_mm_add_pd(a, b), _mm_set1_pd(0.5)), _mm_set1_pd(heardVolume));
    // Values too small to hear become exactly zero.
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), out);
    out = _mm_andnot_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(1e-12)), out);
    _mm_store_pd(frame, out);
}
