// Where a Linux user's own files of the plug-in live, by the XDG base
// directory rules: settings under $XDG_CONFIG_HOME (~/.config), saved
// presets under $XDG_DATA_HOME (~/.local/share).
#pragma once

#include "../platform.h"

#include <string>

namespace Framework {

std::string xdgFolder(Userdata kind);

} // namespace Framework
