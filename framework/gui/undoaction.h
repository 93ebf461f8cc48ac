// The editor's "Undo" and "Redo" menu items, for hosts that keep the
// keyboard to themselves: a step of the plug-in's history each.
#pragma once

#include "action.h"

namespace Framework {

class Plugin;

class Undoaction : public Action {
public:
    enum class Direction { undo, redo };
    Undoaction(Plugin& plugin, Direction direction) : plugin(plugin), direction(direction) {}

    void execute() override;
    // Only while there is a step to take.
    bool available() const override;

private:
    Plugin& plugin; // not owned
    const Direction direction;
};

} // namespace Framework
