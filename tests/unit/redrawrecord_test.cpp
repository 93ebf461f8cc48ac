// The redraw requests that the Windows window hands on: other threads' in a
// lock-free record at its timer (built natively so that ThreadSanitizer sees
// it too), its own thread's in a short list once per message.
#include "framework/gui/redrawlist.h"
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

// Requests that touch share an area; apart ones stay apart, so the display
// and the status line do not repaint everything between them; a fifth apart
// one joins the area it grows least.
TEST(Redrawlist, JoinsTouchingRequestsAndKeepsDistantOnesApart)
{
    Framework::Redrawlist list;
    list.add({10, 10, 50, 50});
    list.add({20, 20, 30, 30});
    list.add({50, 10, 60, 20});
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE((list[0] == Redrawrecord::Area{10, 10, 60, 50}));
    list.add({10, 300, 400, 320});
    list.add({500, 0, 510, 5});
    list.add({700, 700, 710, 710});
    ASSERT_EQ(list.count(), 4);
    list.add({505, 8, 520, 12});
    EXPECT_EQ(list.count(), 4);
    EXPECT_TRUE((list[2] == Redrawrecord::Area{500, 0, 520, 12}));
    EXPECT_TRUE((list[1] == Redrawrecord::Area{10, 300, 400, 320}));
    list.clear();
    EXPECT_EQ(list.count(), 0);
}
