// The editor's undo and redo: a bounded history of steps, each the
// parameters one user action changed, with their normalized values before
// and after it. Only what a step changed is kept, so undoing it never
// touches a parameter the host automated since. All storage is taken at
// construction; the history lives on the editor's thread.
#pragma once

#include <vector>

namespace Framework {

class Undohistory {
public:
    // parameters: how many values a snapshot holds; depth: the steps kept.
    Undohistory(int parameters, int depth);

    // A step begins from these values (parameters of them).
    void begin(const double* values);
    // The step ends at these values; only parameters edited (a flag per
    // parameter) are its own, others the host changed meanwhile are not. A
    // step that changed none of its own is not kept unless it has a mark,
    // and a kept one drops every step that could have been redone. A step
    // with a mark other than 0 did more than set parameters; its owner knows
    // what the mark means. A step that ends after clear is not kept.
    void end(const double* values, const char* edited, int mark);
    // Forgets every step and the one that began.
    void clear();
    // The mark of the step undo (or redo) would apply; 0 when there is none.
    int undoMark() const { return canUndo() ? steps[static_cast<std::size_t>(newest)].mark : 0; }
    int redoMark() const;

    bool canUndo() const { return undoable > 0; }
    bool canRedo() const { return redoable > 0; }
    // The changes that undo (or redo) the last step (or the next one): each
    // parameter's index and the value to set. Answers how many, 0 when
    // there is no such step (or a marked step changed no parameter), and
    // moves through the history.
    int undo(const int*& indexes, const double*& values);
    int redo(const int*& indexes, const double*& values);

private:
    struct Step {
        int count = 0;
        int mark = 0;
        std::vector<int> index;
        std::vector<double> before, after;
    };
    const Step& at(int fromNewest) const;

    const int parameters;
    std::vector<double> start;
    std::vector<Step> steps; // a ring: newest at newest
    int newest = -1;
    int undoable = 0, redoable = 0;
    bool open = false;
};

} // namespace Framework
