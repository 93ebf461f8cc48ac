// A rotary control drawn from a vertical strip of frames, frame 0 (the
// minimum) at the top; dragging up raises it.
#pragma once

#include "bltwidget.h"

namespace Framework {

class Knob : public Bltwidget {
public:
    // sensitivity: normalized change per pixel of vertical drag.
    Knob(int width, int height, Skinbitmap* bitmap, double sensitivity)
        : Bltwidget(width, height, bitmap), sensitivity(sensitivity)
    {
    }

    // Left drags move the value cached at the press, clamped to 0..1, so the
    // knob keeps its own course even where the parameter quantizes.
    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
    bool wheel(Window&, int&, int&, Binding& binding, Wheelevent& event) override
    {
        return stepNormalized(binding, event);
    }
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    const double sensitivity;
};

} // namespace Framework
