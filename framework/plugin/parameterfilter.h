// How a parameter's live value follows its target on control ticks.
#pragma once

namespace Framework {

class Parameterfilter {
public:
    virtual ~Parameterfilter() = default;
    // The next live value.
    virtual double next() = 0;

    double target = 0.0;
};

// Jumps to the target at once.
class Snapfilter : public Parameterfilter {
public:
    double next() override { return target; }
};

} // namespace Framework
