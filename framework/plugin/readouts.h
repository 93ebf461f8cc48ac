// Readouts turn a parameter's value into the display text the host and the
// editor show, and supply the units label shown beside it.
#pragma once

#include <string>
#include <vector>

namespace Framework {

class Readout {
public:
    Readout() = default;
    Readout(const Readout&) = delete;
    Readout& operator=(const Readout&) = delete;
    virtual ~Readout() = default;

    // The text for a parameter's normalized (0 to 1) and real value.
    virtual std::string text(const double& normalized, const double& value) const = 0;
    // The units label; empty unless a readout has one.
    virtual std::string units() const;
};

// A readout that writes a number with a fixed count of decimals.
class Numberreadout : public Readout {
public:
    explicit Numberreadout(int decimals) : decimals(decimals) {}

    const int decimals;
};

// The real value as it is.
class Realvaluereadout : public Numberreadout {
public:
    explicit Realvaluereadout(int decimals) : Numberreadout(decimals) {}

    std::string text(const double& normalized, const double& value) const override;
};

// The real value shifted by offset, labelled with unit.
class Unitsreadout : public Numberreadout {
public:
    Unitsreadout(std::string unit, int decimals, double offset);

    std::string text(const double& normalized, const double& value) const override;
    std::string units() const override;

    const double offset;
    const std::string unit;
};

// A linear gain factor in decibels.
class Dbreadout : public Numberreadout {
public:
    explicit Dbreadout(int decimals) : Numberreadout(decimals) {}

    std::string text(const double& normalized, const double& value) const override;
    std::string units() const override;
};

// The list entry the real value (truncated toward zero) points at; empty when
// the value points outside the list.
class Selectionreadout : public Readout {
public:
    explicit Selectionreadout(std::vector<std::string> items);

    std::string text(const double& normalized, const double& value) const override;

    const std::vector<std::string> items;
};

// onText when the normalized value is above one half, offText otherwise.
class Switchreadout : public Readout {
public:
    Switchreadout(std::string offText, std::string onText);

    std::string text(const double& normalized, const double& value) const override;

    const std::string offText;
    const std::string onText;
};

} // namespace Framework
