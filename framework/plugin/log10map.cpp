#include "log10map.h"

#include <cmath>

namespace Framework {

Log10map::Log10map(double min, double max)
    : Map(min, max), scaledOffset(std::log10(min) / (std::log10(max) - std::log10(min))),
      span(std::log10(max) - std::log10(min)), logMin(std::log10(min))
{
}

double Log10map::toReal(const double& normalized) const
{
    return std::pow(10.0, (scaledOffset + normalized) * span);
}

double Log10map::toNormalized(const double& real) const
{
    return (std::log10(real) - logMin) / span;
}

} // namespace Framework
