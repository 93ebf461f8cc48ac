// The equalizer's parameter table: where each of the 39 parameters sits in
// the host's list (its index) and in the program record (its slot). Band b
// (0 to 6) owns indices 5b to 5b + 4; the four global parameters follow.
// Every part of the equalizer that names a parameter names it from here.
#pragma once

#include "vexprogram.h"

namespace Vexparameters {

constexpr int bandCount = 7;
constexpr int perBand = 5;

// A band's parameters, in the order of their indices.
enum Bandparameter { on = 0, frequency = 1, width = 2, gain = 3, type = 4 };

constexpr int index(int band, Bandparameter which)
{
    return perBand * band + which;
}

// The global parameters' indices.
constexpr int zoom = perBand * bandCount;
constexpr int curve = zoom + 1;
constexpr int volume = zoom + 2;
constexpr int mode = zoom + 3;
constexpr int count = mode + 1;

// The program slot of every index. A band's record holds frequency, gain,
// width, on/off and type, in that order.
constexpr int slot(int index)
{
    constexpr int bandSlots[perBand] = {3, 0, 2, 1, 4};
    return index < zoom      ? perBand * (index / perBand) + bandSlots[index % perBand]
           : index == zoom   ? 37
           : index == curve  ? 36
           : index == volume ? 35
                             : 38;
}

constexpr int slot(int band, Bandparameter which)
{
    return slot(index(band, which));
}

// Band b of index, or -1 for a global parameter.
constexpr int bandOf(int index)
{
    return index >= 0 && index < zoom ? index / perBand : -1;
}

static_assert(count == vexParameterCount, "one slot per parameter");

} // namespace Vexparameters
