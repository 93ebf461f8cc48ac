// A skin image shown whole at the component's position; it never takes the
// mouse, so whatever lies under it still does.
#pragma once

#include "uicomp.h"

namespace Framework {

class Skinbitmap;

class Img : public Uicomp {
public:
    Img(int x, int y, int conditionIndex, Paramset* conditionSet, Skinbitmap& bitmap);

    void draw(Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    int width() override;
    int height() override;

    Skinbitmap& bitmap; // not owned
};

} // namespace Framework
