// Controls of the headless platform for tests and tools: where the module
// seems to live, and what would have been shown in message boxes.
#pragma once

#include <string>
#include <vector>

namespace Framework::Headless {

// Makes moduleFolder() answer folder; an empty folder restores the folder of
// the running executable.
void setModuleFolder(const std::string& folder);

// Texts passed to showError, oldest first.
std::vector<std::string> shownErrors();
void clearShownErrors();

} // namespace Framework::Headless
