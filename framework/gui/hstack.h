// A horizontal row of segments, one per value of the parameter from its
// minimum; a click chooses a segment. The image holds the base picture on
// top and, below it, the row with every segment highlighted.
#pragma once

#include "bltwidget.h"

namespace Framework {

class Hstack : public Bltwidget {
public:
    Hstack(int width, int height, Skinbitmap* bitmap) : Bltwidget(width, height, bitmap) {}

    // A left press chooses the segment under the pointer; a press on a
    // segment's right border still counts as that segment.
    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
    bool wheel(Window&, int&, int&, Binding& binding, Wheelevent& event) override { return stepChoice(binding, event); }
    // The base, then the highlighted segment of the current value.
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

protected:
    // The number of segments; 0 for a parameter whose maximum lies below its
    // minimum, in which case the stack neither draws nor picks.
    int segments(Binding& binding) const;
};

} // namespace Framework
