// An on/off button drawn from two frames, off on top; a left press flips it.
#pragma once

#include "bltwidget.h"

namespace Framework {

class Switch : public Bltwidget {
public:
    Switch(int width, int height, Skinbitmap* bitmap) : Bltwidget(width, height, bitmap) {}

    // Only a left press toggles: the second press of a double click arrives
    // as a double click and leaves the switch as the first press set it.
    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;
};

} // namespace Framework
