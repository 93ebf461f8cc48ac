// An advisory lock that instances of the plug-in in several processes take
// around a read, merge and write of a file they share, so that no change
// of one is lost to another's.
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

class Filelock {
public:
    // Takes the lock of the lock file at path, making the file when it is
    // missing; waits a few seconds at most for another process to let go.
    explicit Filelock(const std::string& path);
    ~Filelock();
    Filelock(const Filelock&) = delete;
    Filelock& operator=(const Filelock&) = delete;

    // Whether the lock was had: false when the file could not be made or
    // another process kept the lock too long.
    bool held() const { return locked; }

private:
    std::intptr_t handle;
    bool locked = false;
};

} // namespace Framework
