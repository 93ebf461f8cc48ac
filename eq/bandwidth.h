// A band's width as a user reads it: the Q and the bandwidth in octaves
// between the frequencies where a bell or a shelf reaches half its gain in
// decibels, and the band's width parameter that gives a wanted Q.
#pragma once

namespace Bandwidth {

struct Width {
    double q;
    double octaves;
};

// The width of a band from its values (by Vexparameters::Bandparameter),
// its gain scaled by gainScale, its filter running at fs (0: not known
// yet, read as 44.1 kHz). A bell's is measured on its designed response,
// which narrows as its gain grows; at a gain too small to measure it is the
// width a small boost would have. A shelf's follows from its bandwidth in
// octaves. False for a high-pass or low-pass: they have no width to set.
bool of(const double* values, int band, double gainScale, double fs, Width& width);

// The width parameter (0 to 1) that gives the band a Q of q as `of` reads
// it, held to the parameter's range.
double parameterFor(double q, const double* values, int band, double gainScale, double fs);

// The bandwidth in octaves of a Q, and the Q of a bandwidth.
double octavesOf(double q);
double qOf(double octaves);

} // namespace Bandwidth
