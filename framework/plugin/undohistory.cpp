#include "undohistory.h"

#include <algorithm>

namespace Framework {

Undohistory::Undohistory(int parameters, int depth)
    : parameters(parameters), start(static_cast<std::size_t>(parameters)), steps(static_cast<std::size_t>(depth))
{
    for (Step& step : steps) {
        step.index.resize(start.size());
        step.before.resize(start.size());
        step.after.resize(start.size());
    }
}

void Undohistory::begin(const double* values)
{
    std::copy(values, values + parameters, start.begin());
    open = true;
}

void Undohistory::clear()
{
    undoable = redoable = 0;
    open = false;
}

void Undohistory::end(const double* values, const char* edited, int mark)
{
    const auto changed = [&](int i) { return edited[i] && values[i] != start[static_cast<std::size_t>(i)]; };
    int count = 0;
    for (int i = 0; i < parameters; ++i)
        count += changed(i);
    const bool keep = open && !steps.empty() && (count > 0 || mark != 0);
    open = false;
    if (!keep)
        return;
    newest = (newest + 1) % static_cast<int>(steps.size());
    undoable = std::min(undoable + 1, static_cast<int>(steps.size()));
    redoable = 0;
    Step& step = steps[static_cast<std::size_t>(newest)];
    step.count = 0;
    step.mark = mark;
    for (int i = 0; i < parameters; ++i)
        if (changed(i)) {
            const auto k = static_cast<std::size_t>(step.count++);
            step.index[k] = i;
            step.before[k] = start[static_cast<std::size_t>(i)];
            step.after[k] = values[i];
        }
}

int Undohistory::redoMark() const
{
    return canRedo() ? at(-1).mark : 0;
}

const Undohistory::Step& Undohistory::at(int fromNewest) const
{
    const int size = static_cast<int>(steps.size());
    return steps[static_cast<std::size_t>(((newest - fromNewest) % size + size) % size)];
}

int Undohistory::undo(const int*& indexes, const double*& values)
{
    if (!canUndo())
        return 0;
    const Step& step = at(0);
    newest = (newest - 1 + static_cast<int>(steps.size())) % static_cast<int>(steps.size());
    --undoable;
    ++redoable;
    indexes = step.index.data();
    values = step.before.data();
    return step.count;
}

int Undohistory::redo(const int*& indexes, const double*& values)
{
    if (!canRedo())
        return 0;
    const Step& step = at(-1);
    newest = (newest + 1) % static_cast<int>(steps.size());
    ++undoable;
    --redoable;
    indexes = step.index.data();
    values = step.after.data();
    return step.count;
}

} // namespace Framework
