#include "dbinput.h"

#include "framework/plugin/numberformat.h"

#include <cmath>

namespace Framework {

void Dbinput::commit(Binding& binding, double& number)
{
    number = std::pow(10.0, number / 20.0);
    Valueinput::commit(binding, number);
}

std::string Dbinput::format(double& value)
{
    return formatFixed(20.0 * std::log10(value), 1);
}

} // namespace Framework
