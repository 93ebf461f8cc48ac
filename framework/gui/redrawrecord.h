// The redraw requests that other threads than the window's make: their
// rectangles joined into one bounding box held in a single atomic word
// (left, top, right, bottom in 16 bits each), so that any thread, the
// audio thread included, can add to it without a lock, an allocation or a
// call into the window system. The window's thread takes the box and asks
// the window system to repaint it.
#pragma once

#include <atomic>
#include <cstdint>

namespace Framework {

class Redrawrecord {
public:
    // Edges in window pixels, right and bottom exclusive.
    struct Area {
        int left, top, right, bottom;
    };

    // Joins a non-empty area to the box; edges are held to 0..65535. Any
    // thread; never waits.
    void add(const Area& area);
    // Takes the box and empties the record; false when it was empty.
    bool take(Area& area);
    void clear() { box.store(0); }

private:
    // 0 for none: an added area is never empty, so its packed form never is 0.
    std::atomic<std::uint64_t> box{0};
};

} // namespace Framework
