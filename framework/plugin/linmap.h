// A straight line from min to max; the default map is the identity 0..1.
#pragma once

#include "map.h"

namespace Framework {

class Linmap : public Map {
public:
    Linmap(double min = 0.0, double max = 1.0) : Map(min, max), range(max - min), offset(min) {}

    double toReal(const double& normalized) const override { return range * normalized + offset; }
    double toNormalized(const double& real) const override { return (real - offset) / range; }

private:
    const double range;
    const double offset;
};

} // namespace Framework
