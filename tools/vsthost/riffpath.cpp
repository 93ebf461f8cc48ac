#include "riffpath.h"

#include <windows.h>

#include <stdexcept>

std::string riffPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error(path + ": not a usable file name");
    // mmioOpen is documented to take names of fewer than 128 characters.
    if (length >= 128)
        throw std::runtime_error(path + ": the full path is longer than the 127 characters Windows' RIFF API takes");
    return full;
}

bool samePath(const std::string& first, const std::string& second)
{
    return lstrcmpiA(riffPath(first).c_str(), riffPath(second).c_str()) == 0;
}
