// The number formatting of every text the plug-in shows: always a point as
// decimal separator, whatever locale the host process runs in.
#pragma once

#include <string>

namespace Framework {

// The most digits after the point formatFixed writes; more are clamped to it.
constexpr int maxDecimals = 17;

// value rounded to the nearest number with exactly decimals digits after the
// point (decimals clamped to 0..maxDecimals), with a minus sign for negative
// values, no exponent, no padding and no grouping: "1000.0", "-3.50", "0.62".
// Not-a-number and infinities come out as "nan", "inf" and "-inf".
std::string formatFixed(double value, int decimals);

// value in decimal, without padding or grouping.
std::string formatInt(int value);

} // namespace Framework
