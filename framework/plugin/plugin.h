// Base of a plug-in behind the host adapter: owns the parameter list and
// reaches the host and the settings through interfaces it does not own.
#pragma once

#include "paramdescriptor.h"

#include <memory>
#include <vector>

namespace Framework {

class Host;
class Settingsfile;

class Plugin {
public:
    Plugin(Host& host, Settingsfile& settings);
    virtual ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Called once by the adapter right after construction.
    virtual void open() {}
    // Hooks without effect in this plug-in; the adapter calls stop when the
    // host closes the effect.
    virtual void start() {}
    virtual void stop() {}

    // Appends a parameter; its index is its position in the list.
    int addParameter(std::unique_ptr<Paramdescriptor> descriptor);
    int parameterCount() const { return static_cast<int>(parameters.size()); }
    const Paramdescriptor* parameter(int index) const;

protected:
    Host& host;
    Settingsfile& settings;
    std::vector<std::unique_ptr<Paramdescriptor>> parameters;
};

} // namespace Framework
