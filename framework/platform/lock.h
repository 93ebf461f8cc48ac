// A mutual-exclusion lock that the audio thread can try without waiting.
#pragma once

#include <memory>

namespace Framework {

class Lock {
public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // Waits until the lock is free, then holds it.
    void enter();
    // Holds the lock if it is free; never waits.
    bool tryEnter();
    void leave();

private:
    struct Native;
    std::unique_ptr<Native> native;
};

} // namespace Framework
