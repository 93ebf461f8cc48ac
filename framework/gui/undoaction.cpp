#include "undoaction.h"

#include "framework/plugin/plugin.h"

namespace Framework {

void Undoaction::execute()
{
    if (direction == Direction::undo)
        plugin.undo();
    else
        plugin.redo();
}

bool Undoaction::available() const
{
    return direction == Direction::undo ? plugin.canUndo() : plugin.canRedo();
}

} // namespace Framework
