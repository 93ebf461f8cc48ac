// What a menu item does when it is chosen.
#pragma once

namespace Framework {

class Action {
public:
    virtual ~Action() = default;
    virtual void execute() = 0;
};

} // namespace Framework
