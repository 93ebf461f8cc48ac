// Where frequencies sit on the response-curve display: its 744 curve points
// run logarithmically from 18.8 Hz at the left edge towards 21.6 kHz, so
// that the handles, 8 pixels in from each side, span 20 Hz to 20 kHz. The
// skin generator places the frequency scale's labels with the same formula.
#pragma once

#include <cmath>

namespace Displayscale {

constexpr int points = 744;
constexpr double lowest = 18.8;
constexpr double highest = 21600.0;

// The frequency of curve point i.
inline double frequencyAt(double i)
{
    const double a = std::log10(lowest);
    return std::pow(10.0, a + i / points * (std::log10(highest) - a));
}

// The curve point, fractional, of a frequency.
inline double pointOf(double frequency)
{
    const double a = std::log10(lowest);
    return (std::log10(frequency) - a) / (std::log10(highest) - a) * points;
}

// The frequency scale image's top-left corner, from the display's.
constexpr int scaleX = 99;
constexpr int scaleY = 317;

} // namespace Displayscale
