// How components reach the editor's Gui: focus and capture, redraw
// requests, the drawing surface and the shared mouse and binding records.
#pragma once

#include "mousecode.h"

namespace Framework {

class Paramset;
class Uicomp;
class Window;

// The mouse event every component receives.
struct Mouseevent {
    int x = 0; // client pixels; outside the window while a button is held
    int y = 0;
    int code = Mouse::move; // a Mouse::Code

    int anchorX = 0; // position of the last press
    int anchorY = 0;
    double dx = 0.0; // movement scaled by the drag factor, up and left positive
    double dy = 0.0;
    bool shift = false;
    bool control = false; // the Ctrl key
    bool alt = false;
};

// A turn of the mouse wheel: whole notches (WHEEL_DELTA each), away from
// the user positive, at the pointer's position.
struct Wheelevent {
    int x = 0;
    int y = 0;
    int notches = 0;
    bool shift = false;
    bool control = false;
    // The burst of turns this one belongs to: turns with no pause of the
    // wheel between them share a number.
    int burst = 0;
};

// The parameter a control hands its widget.
struct Binding {
    Paramset* paramset = nullptr;
    int index = 0;
    double pressValue = 0.0;      // real value when the current press started
    double pressNormalized = 0.0; // normalized value then
};

class Igui {
public:
    // False only for the root panel while the window is not visible.
    virtual bool isShown(const Uicomp* component) = 0;
    // component is the focus and holds the mouse.
    virtual bool holdsMouse(const Uicomp* component) = 0;
    virtual bool isFocus(const Uicomp* component) = 0;
    virtual Window& surface() = 0;
    virtual void setFocus(Uicomp* component) = 0;
    // Records a press position; the movement of later events counts from it.
    virtual void setAnchor(int& x, int& y) = 0;
    // Writes the parameter's values at the press into the binding.
    virtual void capturePressValues(Paramset& paramset, int index) = 0;
    // Asks for the rectangle to be repainted (only while visible) and tells
    // the Gui which component asked.
    virtual void redraw(Uicomp* component, int& x, int& y, int& w, int& h) = 0;
    virtual void captureOn() = 0;
    virtual void captureOff() = 0;
    virtual Binding& binding() = 0;
    // A wheel turn began an edit of paramset's; it ends after a pause.
    virtual void wheelEdited(Paramset& paramset) = 0;
    virtual Mouseevent& event() = 0;

protected:
    ~Igui() = default;
};

} // namespace Framework
