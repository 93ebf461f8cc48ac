#include "framework/platform/lock.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Lock, TryFailsWhileAnotherThreadHoldsItAndSucceedsAfter)
{
    Framework::Lock lock;
    lock.enter();
    bool whileHeld = true;
    std::thread([&] { whileHeld = lock.tryEnter(); }).join();
    EXPECT_FALSE(whileHeld);
    lock.leave();

    bool afterRelease = false;
    std::thread([&] {
        afterRelease = lock.tryEnter();
        if (afterRelease)
            lock.leave();
    }).join();
    EXPECT_TRUE(afterRelease);
}

TEST(Lock, BlockingEnterWaitsForRelease)
{
    Framework::Lock lock;
    int shared = 0;
    lock.enter();
    std::thread writer([&] {
        lock.enter();
        shared = 2;
        lock.leave();
    });
    shared = 1;
    lock.leave();
    writer.join();
    EXPECT_EQ(shared, 2);
}
