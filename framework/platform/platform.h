// The few operating-system services the portable code needs.
#pragma once

#include <cstdint>
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

// A number that tells the calling thread apart from every other running
// thread. It neither allocates nor waits, so the audio thread may ask.
std::uintptr_t currentThread();

} // namespace Framework
