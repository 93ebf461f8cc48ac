// Converts between a parameter's normalized value (0 to 1) and its real value.
#pragma once

#include <cmath>
#include <stdexcept>

namespace Framework {

class Map {
public:
    // A range that is empty or not finite maps nothing: it is refused with
    // std::invalid_argument.
    Map(double min, double max) : max(max), min(min)
    {
        if (!std::isfinite(min) || !std::isfinite(max) || min == max)
            throw std::invalid_argument("a parameter map needs two different finite ends");
    }
    virtual ~Map() = default;

    virtual double toReal(const double& normalized) const = 0;
    virtual double toNormalized(const double& real) const = 0;

    const double max;
    const double min;
};

} // namespace Framework
