// The lock-free record of other threads' redraw requests that the Windows
// window hands on at its timer: built natively so that ThreadSanitizer sees
// it too.
#include "framework/gui/redrawrecord.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Framework::Redrawrecord;

namespace {

bool operator==(const Redrawrecord::Area& a, const Redrawrecord::Area& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

// Threads adding at once lose nothing: the box taken is the bounding box of
// every area, and taking empties the record.
TEST(Redrawrecord, JoinsConcurrentRequestsIntoTheirBoundingBox)
{
    Redrawrecord record;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&record, t] {
            for (int i = 0; i < 2000; ++i)
                record.add({100 + t * 10 + i % 7, 50 + t, 120 + t * 100 + i % 13, 60 + t * 50});
        });
    for (std::thread& thread : threads)
        thread.join();
    Redrawrecord::Area area{};
    ASSERT_TRUE(record.take(area));
    EXPECT_TRUE((area == Redrawrecord::Area{100, 50, 432, 210}));
    EXPECT_FALSE(record.take(area));

    // Edges beyond what 16 bits hold are held, never wrapped.
    record.add({-5, 3, 70000, 9});
    ASSERT_TRUE(record.take(area));
    EXPECT_TRUE((area == Redrawrecord::Area{0, 3, 0xFFFF, 9}));
}
