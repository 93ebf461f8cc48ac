// The equalizer's parameter table: one row per parameter with its place in
// the host's list (its index) and in the program record (its slot), its
// name, map, default, readout and whether hosts may automate it. Band b
// (0 to 6) owns indices 5b to 5b + 4, described once by the band rows; the
// four global parameters follow. Parameters added since are appended after
// them, each in the slot of its own index: every band's placement, then the
// slopes of band 1's high-pass and band 7's low-pass. The equalizer takes
// its defaults, the editor's builder its parameters and the factory its
// counts from here.
#pragma once

#include "vexprogram.h"

namespace Vexparameters {

constexpr int bandCount = 7;
constexpr int perBand = 5;

// A band's parameters: the first five in the order of their indices, then
// the appended ones.
enum Bandparameter { on = 0, frequency = 1, width = 2, gain = 3, type = 4, placement = 5, slope = 6 };
constexpr int bandValueCount = 7;

// The global parameters' indices.
constexpr int zoom = perBand * bandCount;
constexpr int curve = zoom + 1;
constexpr int volume = zoom + 2;
constexpr int mode = zoom + 3;
// The appended parameters' first indices.
constexpr int firstPlacement = mode + 1;
constexpr int firstSlope = firstPlacement + bandCount;
constexpr int count = firstSlope + 2;

// Band's parameter which; -1 for the slope of a band that has none.
constexpr int index(int band, Bandparameter which)
{
    if (which == placement)
        return firstPlacement + band;
    if (which == slope)
        return band == 0 ? firstSlope : band == bandCount - 1 ? firstSlope + 1 : -1;
    return perBand * band + which;
}

// Where a band acts, in the order of its parameter's steps.
enum class Placement { stereo, left, right, mid, side };
constexpr int placementCount = 5;
// The steepest slope's step; step s is 12 (s + 1) dB per octave.
constexpr int slopeSteps = 4;

// How a parameter's normalized value becomes its real value: none keeps it
// (0 to 1); linear and log10 run from low to high; log10Decades runs
// logarithmically from 10^low to 10^high.
enum class Scale { none, linear, log10, log10Decades };
struct Mapping {
    Scale scale;
    double low, high;
};

// The text a host shows for a value.
enum class Text {
    number,     // the real value, one decimal
    onOff,      // "off", "on"
    decibels,   // the real value with "dB", one decimal
    bandTypes,  // the band's filter types: band 1 "hp", band 7 "lp", shelves between
    outputMode, // "ST", "L", "M", "R"
    gainDb,     // a linear gain in dB, one decimal
    placement,  // "ST", "L", "R", "M", "S"
    slope       // "12 dB" to "48 dB"
};

struct Row {
    const char* name; // a band row's name follows the band's number and a space
    int slot;         // a band row's slot counts from the band's first slot
    Mapping map;
    double defaultValue; // a band's frequency takes bandFrequencies instead
    Text text;
    bool automatable;
};

// Band b's rows, by Bandparameter. A band's record holds frequency, gain,
// width, on/off and type, in that order.
constexpr Row bandRows[perBand] = {
    {"on/off", 3, {Scale::none, 0.0, 1.0}, 1.0, Text::onOff, true},
    {"f", 0, {Scale::log10, 20.0, 20000.0}, 0.0, Text::number, true},
    {"q", 2, {Scale::none, 0.0, 1.0}, 0.6180339887498949, Text::number, true},
    {"g", 1, {Scale::linear, -36.0, 36.0}, 0.0, Text::decibels, true},
    {"type", 4, {Scale::linear, 0.0, 2.0}, 1.0, Text::bandTypes, true},
};
constexpr double bandFrequencies[bandCount] = {50, 100, 300, 700, 1000, 2000, 5000};

// What a band's width (0 to 1) means: a bell's bandwidth relative to its
// frequency, a shelf's bandwidth in octaves, each from low to high.
constexpr Mapping bellWidth{Scale::log10, 0.0025, 0.95};
constexpr Mapping shelfWidth{Scale::log10, 0.08090169943749476, 1.77};

// The global rows, from zoom on.
constexpr Row globalRows[count - zoom] = {
    {"zoom", 37, {Scale::linear, 3.0, 36.0}, 12.0, Text::number, false},
    {"curve +-", 36, {Scale::linear, -1.0, 1.0}, 1.0, Text::number, true},
    {"main vol", 35, {Scale::log10Decades, -1.8, 0.6}, 1.0, Text::gainDb, true},
    {"out mode", 38, {Scale::linear, 0.0, 3.0}, 0.0, Text::outputMode, true},
};

// The appended band rows; their slots are their indices.
constexpr Row placementRow = {"chan", firstPlacement, {Scale::linear, 0.0, 4.0}, 0.0, Text::placement, true};
constexpr Row slopeRow = {"slope", firstSlope, {Scale::linear, 0.0, 3.0}, 0.0, Text::slope, true};

// Band b of index, or -1 for a global parameter.
constexpr int bandOf(int index)
{
    if (index >= 0 && index < zoom)
        return index / perBand;
    if (index >= firstPlacement && index < firstSlope)
        return index - firstPlacement;
    if (index >= firstSlope && index < count)
        return index == firstSlope ? 0 : bandCount - 1;
    return -1;
}

// The row of an index in 0..count-1.
constexpr const Row& row(int index)
{
    return index < zoom             ? bandRows[index % perBand]
           : index < firstPlacement ? globalRows[index - zoom]
           : index < firstSlope     ? placementRow
                                    : slopeRow;
}

// The program slot of every index.
constexpr int slot(int index)
{
    return index < zoom             ? perBand * (index / perBand) + bandRows[index % perBand].slot
           : index < firstPlacement ? globalRows[index - zoom].slot
                                    : index;
}

constexpr int slot(int band, Bandparameter which)
{
    return slot(index(band, which));
}

// The step a placement or slope value (its real value) names: truncated
// toward zero, and any value that names no step gives the first.
constexpr int stepOf(double value, int steps)
{
    return value >= 0.0 && value < steps ? static_cast<int>(value) : 0;
}

// Band's values by Bandparameter, each read as value(index); 0 for a
// parameter the band does not have.
template <class Read> void readBand(int band, Read value, double (&values)[bandValueCount])
{
    for (int p = 0; p < bandValueCount; ++p) {
        const int i = index(band, static_cast<Bandparameter>(p));
        values[p] = i >= 0 ? value(i) : 0.0;
    }
}

// The default real value of every index.
constexpr double defaultValue(int index)
{
    return index < zoom && index % perBand == frequency ? bandFrequencies[bandOf(index)] : row(index).defaultValue;
}

// Every slot of the program record holds exactly one parameter.
constexpr bool slotsArePermutation()
{
    bool used[count] = {};
    for (int i = 0; i < count; ++i) {
        const int s = slot(i);
        if (s < 0 || s >= count || used[s])
            return false;
        used[s] = true;
    }
    return true;
}

// Every band has a frequency of its own within the frequency map.
constexpr bool bandFrequenciesInRange()
{
    for (const double f : bandFrequencies)
        if (!(f >= bandRows[frequency].map.low && f <= bandRows[frequency].map.high))
            return false;
    return true;
}

static_assert(count == vexParameterCount, "one slot per parameter");
static_assert(slotsArePermutation(), "each parameter has a slot of its own");
static_assert(bandFrequenciesInRange(), "a default frequency per band");

} // namespace Vexparameters
