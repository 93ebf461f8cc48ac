// A mutual-exclusion lock that the audio thread can try without waiting.
// It is recursive on every platform: the thread that holds it may take it
// again. It is only ever held through the scoped guards below, so an
// exception can never leave it held.
#pragma once

#include <memory>

namespace Framework {

class Lock {
public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // Holds the lock for its lifetime, waiting until it is free.
    class Guard {
    public:
        explicit Guard(Lock& lock) : lock(lock) { lock.enter(); }
        ~Guard() { lock.leave(); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        Lock& lock;
    };

    // Holds the lock for its lifetime if it was free; never waits.
    class Tryguard {
    public:
        explicit Tryguard(Lock& lock) : lock(lock), held(lock.tryEnter()) {}
        ~Tryguard()
        {
            if (held)
                lock.leave();
        }
        Tryguard(const Tryguard&) = delete;
        Tryguard& operator=(const Tryguard&) = delete;
        explicit operator bool() const { return held; }

    private:
        Lock& lock;
        const bool held;
    };

private:
    void enter();
    bool tryEnter();
    void leave();

    struct Native;
    std::unique_ptr<Native> native;
};

} // namespace Framework
