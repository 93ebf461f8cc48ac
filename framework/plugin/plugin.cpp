#include "plugin.h"

namespace Framework {

Plugin::Plugin(Host& host, Settingsfile& settings) : host(host), settings(settings) {}

Plugin::~Plugin() = default;

int Plugin::addParameter(std::unique_ptr<Paramdescriptor> descriptor)
{
    parameters.push_back(std::move(descriptor));
    return parameterCount() - 1;
}

const Paramdescriptor* Plugin::parameter(int index) const
{
    return index >= 0 && index < parameterCount() ? parameters[static_cast<std::size_t>(index)].get() : nullptr;
}

} // namespace Framework
