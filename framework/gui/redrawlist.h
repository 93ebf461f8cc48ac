// The redraw requests that the window's own thread makes between two turns
// of its message loop: a few rectangles, each request joined to one that it
// touches, so that the window system is asked once per turn rather than
// once per request (each ask is a round trip to the window server under
// some systems). Held by one thread; no allocation.
#pragma once

#include "redrawrecord.h"

#include <array>

namespace Framework {

class Redrawlist {
public:
    using Area = Redrawrecord::Area;

    // Adds a non-empty area: joined to the first one held that it overlaps
    // or touches, else held apart; when all places are taken, joined to the
    // one whose box grows least.
    void add(const Area& area);
    // The areas held, and emptying the list.
    int count() const { return held; }
    const Area& operator[](int i) const { return areas[static_cast<std::size_t>(i)]; }
    void clear() { held = 0; }

private:
    static constexpr int places = 4;
    std::array<Area, places> areas{};
    int held = 0;
};

} // namespace Framework
