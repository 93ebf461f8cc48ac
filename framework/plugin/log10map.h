// Equal steps in the logarithm from min to max (both above 0, or the map is
// refused with std::invalid_argument). Values outside 0..1 extrapolate;
// nothing is clamped.
#pragma once

#include "map.h"

namespace Framework {

class Log10map : public Map {
public:
    Log10map(double min, double max);

    double toReal(const double& normalized) const override;
    double toNormalized(const double& real) const override;

private:
    const double scaledOffset;
    const double span;
    const double logMin;
};

} // namespace Framework
