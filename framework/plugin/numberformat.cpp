#include "numberformat.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace Framework {

std::string formatFixed(double value, int decimals)
{
    // Room for the sign, every integer digit of the largest double, the point and the decimals.
    char buffer[1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + maxDecimals];
    const int digits = std::clamp(decimals, 0, maxDecimals);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}

std::string formatInt(int value)
{
    char buffer[std::numeric_limits<int>::digits10 + 2];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace Framework
