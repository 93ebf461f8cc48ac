// File names on Linux: no RIFF API limits; names compare by the file they
// lead to.
#include "../riffpath.h"

#include <sys/stat.h>

std::string riffPath(const std::string& path)
{
    return path;
}

bool samePath(const std::string& first, const std::string& second)
{
    if (first == second)
        return true;
    struct stat a {
    }, b{};
    return stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}
