// A menu item's action that runs a function: for menus built anew each time
// they show, whose items name files or programs.
#pragma once

#include "action.h"

#include <functional>
#include <utility>

namespace Framework {

class Callaction : public Action {
public:
    explicit Callaction(std::function<void()> call) : call(std::move(call)) {}
    void execute() override { call(); }

private:
    const std::function<void()> call;
};

} // namespace Framework
