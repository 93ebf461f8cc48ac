// Sets one parameter to a fixed normalized value, as a change made in the
// editor (reported to the host, not taken from it).
#pragma once

#include "action.h"

namespace Framework {

class Paramset;

class Setparameteraction : public Action {
public:
    Setparameteraction(Paramset& paramset, int index, double value) : paramset(paramset), index(index), value(value) {}

    void execute() override;

    Paramset& paramset; // not owned
    const int index;
    const double value;
};

} // namespace Framework
