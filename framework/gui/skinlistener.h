// Hears that a skin has been loaded.
#pragma once

#include <string>

namespace Framework {

class Skinlistener {
public:
    // folder: the full path of the skin folder, ending in a separator.
    virtual void skinChanged(const std::string& folder) = 0;

protected:
    ~Skinlistener() = default;
};

} // namespace Framework
