// A Valueinput for a parameter whose real value is a linear gain factor:
// the value is shown and typed in decibels.
#pragma once

#include "valueinput.h"

namespace Framework {

class Dbinput : public Valueinput {
public:
    using Valueinput::Valueinput;

    // number in dB, written as the factor 10^(number / 20).
    void commit(Binding& binding, double& number) override;
    // The factor in dB with one decimal.
    std::string format(double& value) override;
};

} // namespace Framework
