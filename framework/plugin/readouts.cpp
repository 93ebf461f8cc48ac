#include "readouts.h"

#include "numberformat.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace Framework {

std::string Readout::units() const
{
    return std::string();
}

std::string Realvaluereadout::text(const double&, const double& value) const
{
    return formatFixed(value, decimals);
}

Unitsreadout::Unitsreadout(std::string unit, int decimals, double offset)
    : Numberreadout(decimals), offset(offset), unit(std::move(unit))
{
}

// The offset comes first so that a zero offset turns -0 into 0 and the text never reads "-0.0".
std::string Unitsreadout::text(const double&, const double& value) const
{
    return formatFixed(offset + value, decimals);
}

std::string Unitsreadout::units() const
{
    return unit;
}

// Values of 0 and below give whatever log10 gives ("-inf", "nan"); the gains shown here never reach 0.
std::string Dbreadout::text(const double&, const double& value) const
{
    return formatFixed(20.0 * std::log10(value), decimals);
}

std::string Dbreadout::units() const
{
    return "dB";
}

Selectionreadout::Selectionreadout(std::vector<std::string> items) : items(std::move(items)) {}

// A fraction below one truncates to entry 0; anything lower, not a number, or
// past the end of the list has no entry.
std::string Selectionreadout::text(const double&, const double& value) const
{
    const double index = std::trunc(value);
    if (!(index >= 0.0 && index < static_cast<double>(items.size())))
        return std::string();
    return items[static_cast<std::size_t>(index)];
}

Switchreadout::Switchreadout(std::string offText, std::string onText)
    : offText(std::move(offText)), onText(std::move(onText))
{
}

std::string Switchreadout::text(const double& normalized, const double&) const
{
    return normalized > 0.5 ? onText : offText;
}

} // namespace Framework
