// One parameter of a plug-in as the host sees it.
#pragma once

#include <string>

namespace Framework {

struct Paramdescriptor {
    // Band index for band parameters, -1 for global ones.
    int group = -1;
    // The name the host shows.
    std::string name;
    bool automatable = true;
};

} // namespace Framework
