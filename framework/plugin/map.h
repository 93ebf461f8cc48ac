// Converts between a parameter's normalized value (0 to 1) and its real value.
#pragma once

namespace Framework {

class Map {
public:
    Map(double min, double max) : max(max), min(min) {}
    virtual ~Map() = default;

    virtual double toReal(const double& normalized) const = 0;
    virtual double toNormalized(const double& real) const = 0;

    const double max;
    const double min;
};

} // namespace Framework
