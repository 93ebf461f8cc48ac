// A grid of items chosen by a click, numbered column by column from the top
// left. The image holds the base picture on top and, below it, the same grid
// with every cell highlighted.
#pragma once

#include "bltwidget.h"

namespace Framework {

class Selector : public Bltwidget {
public:
    Selector(int width, int height, Skinbitmap* bitmap, int columns)
        : Bltwidget(width, height, bitmap), columns(columns)
    {
    }

    // A left press inside a cell (not on its border) chooses its item.
    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
    bool wheel(Window&, int&, int&, Binding& binding, Wheelevent& event) override { return stepChoice(binding, event); }
    // The base, then the highlighted cell of the current item.
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    const int columns;

private:
    // Items per column; 0 when the parameter has fewer items than columns,
    // in which case the selector neither draws nor picks.
    int perColumn(Binding& binding) const;
    double itemCount(Binding& binding) const;
};

} // namespace Framework
