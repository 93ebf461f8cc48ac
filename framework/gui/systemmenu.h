// A popup menu of the editor as the window sees it: the window hands the
// position of a chosen item to the menu's select.
#pragma once

namespace Framework {

class Systemmenu {
public:
    virtual ~Systemmenu() = default;
    // The item at position was chosen.
    virtual void select(int position) = 0;
};

} // namespace Framework
