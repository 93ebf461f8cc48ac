// One parameter of a plug-in: how its values map, read and follow.
#pragma once

#include "parameterfilter.h"

#include <memory>
#include <string>

namespace Framework {

class Map;
class Readout;

struct Paramdescriptor {
    enum State { idle = 0, newTarget = 1, following = 2 };

    const Map* map = nullptr;         // owned by the plug-in's map list
    const Readout* readout = nullptr; // owned by the plug-in's readout list; may be null
    double target = 0.0;              // real value last requested
    double defaultValue = 0.0;        // real value a reset restores
    double* value = nullptr;          // live real value, in the edit buffer
    int slot = -1;                    // its place in a program record; -1 for none
    int group = -1;                   // band index for band parameters, -1 for global ones
    std::string name;
    std::string units;
    bool automatable = true;
    int state = idle;
    std::unique_ptr<Parameterfilter> filter;
    double ownValue = 0.0; // live value of a parameter outside the edit buffer
};

} // namespace Framework
