// The few operating-system services the portable code needs.
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

// Separator between the parts of a file path, and the end of a line in a
// text file, on this platform.
#if defined(_WIN32)
constexpr char pathSeparator = '\\';
constexpr const char* lineEnd = "\r\n";
#else
constexpr char pathSeparator = '/';
constexpr const char* lineEnd = "\n";
#endif

// Folder of the module file that holds this code, without a trailing separator.
std::string moduleFolder();

// What a user keeps of the plug-in's own: the settings, and the presets
// the user saves.
enum class Userdata { settings, presets };

// This user's folder for the plug-in's settings or saved presets, which may
// not exist yet; empty when the system names no home for the user.
std::string userFolder(Userdata kind);

// Tells the user about a failure: a message box without owner window,
// caption "Error" and one OK button.
void showError(const std::string& text);

// A number that tells the calling thread apart from every other running
// thread. It neither allocates nor waits, so the audio thread may ask.
std::uintptr_t currentThread();

} // namespace Framework
