// The few operating-system services the portable code needs.
#pragma once

#include <string>

namespace Framework {

// Separator between the parts of a file path on this platform.
#if defined(_WIN32)
constexpr char pathSeparator = '\\';
#else
constexpr char pathSeparator = '/';
#endif

// Folder of the module file that holds this code, without a trailing separator.
std::string moduleFolder();

// Tells the user about a failure: a message box without owner window,
// caption "Error" and one OK button.
void showError(const std::string& text);

} // namespace Framework
