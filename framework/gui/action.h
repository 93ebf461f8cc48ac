// What a menu item does when it is chosen.
#pragma once

namespace Framework {

class Action {
public:
    virtual ~Action() = default;
    virtual void execute() = 0;
    // Whether the item can be chosen now; asked right before its menu
    // shows, which greys it otherwise.
    virtual bool available() const { return true; }
};

} // namespace Framework
