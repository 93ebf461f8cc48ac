// A vertical fader: a handle picture at the top of its image and, when the
// slider has a track, a track picture as tall as the slider below it. The
// maximum puts the handle at the top.
#pragma once

#include "bltwidget.h"

namespace Framework {

class Slider : public Bltwidget {
public:
    Slider(int width, int height, Skinbitmap* bitmap, bool hasTrack)
        : Bltwidget(width, height, bitmap), hasTrack(hasTrack)
    {
    }

    // A press beside the handle centres the handle on the pointer; a press
    // on it changes nothing; a left drag moves it with the pointer.
    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
    bool wheel(Window&, int&, int&, Binding& binding, Wheelevent& event) override
    {
        return stepNormalized(binding, event);
    }
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    const bool hasTrack;

private:
    int handleHeight() const;
    int travel() const { return height - handleHeight(); }
};

} // namespace Framework
