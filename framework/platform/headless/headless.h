// Controls of the headless platform for tests and tools: where the module
// and the user's own files seem to live, and what would have been shown in message boxes.
#pragma once

#include <string>
#include <vector>

namespace Framework::Headless {

// Makes moduleFolder() answer folder; an empty folder restores the folder of
// the running executable.
void setModuleFolder(const std::string& folder);

// Makes userFolder() answer folder's "settings" and "presets"; an empty
// folder restores the user's own.
void setUserFolder(const std::string& folder);

// Texts passed to showError, oldest first.
std::vector<std::string> shownErrors();
void clearShownErrors();

} // namespace Framework::Headless
