// The mouse codes a window hands its components, one per event (the values
// are part of the editor's protocol and never change).
#pragma once

namespace Framework::Mouse {

enum Code : int {
    move = 0,     // no button held
    leftDown = 1, // a press
    rightDown = 2,
    leftUp = 3, // a release
    rightUp = 4,
    leftDouble = 5, // a double click: a press that holds no button after it
    rightDouble = 6,
    leftDrag = 7, // a move with the button held
    rightDrag = 8
};

// A press or a double click: both start a gesture in the component under
// the pointer.
constexpr bool isPress(int code)
{
    return code == leftDown || code == rightDown || code == leftDouble || code == rightDouble;
}

constexpr bool isRelease(int code)
{
    return code == leftUp || code == rightUp;
}

constexpr bool isDrag(int code)
{
    return code == leftDrag || code == rightDrag;
}

constexpr bool isDoubleClick(int code)
{
    return code == leftDouble || code == rightDouble;
}

} // namespace Framework::Mouse
