// A component that can hold the mouse: the pointer entering it makes it the
// focus, a press inside it captures the mouse until the release, and while
// it holds the mouse every event reaches its gesture, wherever the pointer.
#pragma once

#include "clickable.h"

#include <string>

namespace Framework {

class Lockable : public Clickable {
public:
    using Clickable::Clickable;

    // Focus and capture as above. Only the inside of the rectangle counts:
    // its top row, left column, right and bottom edges belong to nothing.
    bool mouse(Igui& gui, bool& visible, Mouseevent& event) override;

    // A short text about what the component does.
    virtual std::string describe() = 0;
    // The gesture: every event while the component holds the mouse.
    virtual void mouseAction(Igui& gui, bool& visible, Mouseevent& event) = 0;
    // Once at each press or double click inside the component.
    virtual void press(Igui& gui, bool& visible, Mouseevent& event) = 0;
    // Once at the release that ends the component's hold on the mouse.
    virtual void release() {}
};

} // namespace Framework
