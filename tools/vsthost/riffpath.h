// File names for the RIFF API.
#pragma once

#include <string>

// The full path of a file for mmioOpen, which would search the system folders
// for a relative name it cannot find; throws std::runtime_error for a path
// mmioOpen cannot take (128 characters or more).
std::string riffPath(const std::string& path);

// Whether two file names name the same file (that may not exist yet), as the
// file system compares names.
bool samePath(const std::string& first, const std::string& second);
