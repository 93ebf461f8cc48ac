// Coefficient design for the equalizer's band sections and its oversampling
// filters, plus the magnitude response the curve display draws. Everything is
// a pure function in double precision that allocates nothing, so it may run on
// whichever thread changes a parameter.
#pragma once

#include "vexparameters.h"

#include "framework/plugin/map.h"

// One second-order section, y = b0 x + b1 x' + b2 x'' - a1 y' - a2 y'',
// always normalized to a0 == 1.
struct Coefficients {
    double numerator[3];   // b0, b1, b2
    double denominator[3]; // a0, a1, a2

    // The section that passes its input unchanged.
    static Coefficients identity();
};

namespace Filterdesign {

// The section for one band's settings: identity when the band is off or its
// type is unknown; otherwise a shelf, a bell, or (on the first and last band)
// a high-pass or low-pass. width (0..1) goes through bellWidthMap to the
// bell's relative bandwidth, or through shelfWidthMap to the shelf's bandwidth
// in octaves. fs is the rate the section runs at; corners above 0.45 fs are
// designed at 0.45 fs. Settings that would give non-finite coefficients or
// poles on or outside the unit circle give the identity.
Coefficients designBand(double on, double type, double f0, double gain, double width, int band, double fs,
                        const Framework::Map& bellWidthMap, const Framework::Map& shelfWidthMap);

// The section for band's values (by Vexparameters::Bandparameter), with
// its gain scaled by gainScale and the widths as the parameter table maps
// them.
Coefficients designBand(const double* values, int band, double gainScale, double fs);

enum { maxBandSections = Vexparameters::slopeSteps };

// The sections for a band's values (all of them, by
// Vexparameters::Bandparameter, the slope read only for bands that have
// one), its gain scaled by gainScale. Answers how many it wrote to sections
// (1 to maxBandSections): a high-pass or low-pass steeper than 12 dB per
// octave is a cascade of Butterworth sections, every other band one section.
int designSections(const double* values, int band, double gainScale, double fs, Coefficients* sections);

// What a band acts on, to listen to alone, from its values (by
// Vexparameters::Bandparameter) at rate fs: a bell's band-pass of the
// same bandwidth, 0 dB at its frequency; for a shelf the side it shapes;
// for the high-pass what it takes away below its corner, for the low-pass
// what it takes away above. Whether the band is on does not matter.
Coefficients soloSection(const double* values, int band, double fs);

// Peak or notch of gain dB at f0 with bandwidth c * f0 hertz.
Coefficients bell(double gain, double f0, double c, double fs);
// Shelves of gain dB above (high) or below (low) f0, bandwidth in octaves.
Coefficients highShelf(double gain, double f0, double bandwidth, double fs);
Coefficients lowShelf(double gain, double f0, double bandwidth, double fs);
// Second-order Butterworth filters, 3 dB down at f0.
Coefficients highPass(double f0, double fs);
Coefficients lowPass(double f0, double fs);
// Section k (0 to order / 2 - 1) of a Butterworth filter of an even order.
Coefficients highPass(double f0, double fs, int order, int k);
Coefficients lowPass(double f0, double fs, int order, int k);

// Response of a section in decibels at x = frequency / fs.
double magnitudeDb(const Coefficients& set, double x);

// All-pass coefficients of a two-path half-band filter for 2x resampling,
// from its transition bandwidth (a fraction of the sample rate). Writes
// coefficientCount values, smallest first.
void designHalfband(int coefficientCount, double transition, double* coefficients);

} // namespace Filterdesign
