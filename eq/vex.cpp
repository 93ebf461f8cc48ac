#include "vex.h"

#include "framework/platform/platform.h"
#include "framework/plugin/settingsfile.h"

namespace {

std::string defaultBankFolder()
{
    const char separator = Framework::pathSeparator;
    return Framework::moduleFolder() + separator + "banks" + separator + "default" + separator;
}

} // namespace

Vex::Vex(Framework::Settingsfile& settings, Framework::Host& host, Vexgui& /*gui*/) : Plugin(host, settings)
{
    settings.add("def-bank-path", defaultBankFolder());
}
