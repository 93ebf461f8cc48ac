#include "framework/platform/lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

using Framework::Lock;

namespace {
bool triedFromAnotherThread(Lock& lock)
{
    bool got = false;
    std::thread([&] {
        const Lock::Tryguard hold(lock);
        got = static_cast<bool>(hold);
    }).join();
    return got;
}
} // namespace

TEST(Lock, TryFailsWhileAnotherThreadHoldsItAndSucceedsAfter)
{
    Lock lock;
    {
        const Lock::Guard hold(lock);
        EXPECT_FALSE(triedFromAnotherThread(lock));
    }
    EXPECT_TRUE(triedFromAnotherThread(lock));
}

TEST(Lock, BlockingGuardWaitsForRelease)
{
    Lock lock;
    int shared = 0;
    std::atomic<bool> started{false};
    std::thread writer;
    {
        const Lock::Guard hold(lock);
        writer = std::thread([&] {
            started = true;
            const Lock::Guard inner(lock);
            shared = 2;
        });
        while (!started)
            std::this_thread::yield();
        shared = 1;
    }
    writer.join();
    EXPECT_EQ(shared, 2);
}

// Windows critical sections may be taken again by their owner; the headless
// lock behaves the same, so code that works here cannot deadlock there.
TEST(Lock, IsRecursiveForItsOwnerOnly)
{
    Lock lock;
    const Lock::Guard outer(lock);
    {
        const Lock::Guard inner(lock);
        const Lock::Tryguard again(lock);
        EXPECT_TRUE(again);
        EXPECT_FALSE(triedFromAnotherThread(lock));
    }
    EXPECT_FALSE(triedFromAnotherThread(lock));
}

TEST(Lock, AnExceptionReleasesIt)
{
    Lock lock;
    try {
        const Lock::Guard hold(lock);
        throw std::runtime_error("inside");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(triedFromAnotherThread(lock));
}
