// The description of an effect that the factory fills and the effect keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Framework {

struct Plugininfo {
    std::int32_t numParams = 0;
    std::int32_t numPrograms = 0;
    std::int32_t vendorVersion = 0;
    std::int32_t uniqueId = 0;
    std::int32_t numMidiInputs = 0;
    std::int32_t numMidiOutputs = 0;
    std::int32_t numInputs = 0;
    std::int32_t numOutputs = 0;
    bool canReplacing = false;
    bool canDoubleReplacing = false;
    bool isSynth = false;
    std::string effectName;
    std::string productName;
    std::string shortName;
    std::string vendorName;
    std::vector<std::string> canDos;
};

} // namespace Framework
