#include "log10map.h"

#include <cmath>
#include <stdexcept>

namespace Framework {

namespace {

double positive(double end)
{
    if (!(end > 0.0))
        throw std::invalid_argument("a logarithmic map needs ends above zero");
    return end;
}

} // namespace

Log10map::Log10map(double min, double max)
    : Map(positive(min), positive(max)), scaledOffset(std::log10(min) / (std::log10(max) - std::log10(min))),
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
