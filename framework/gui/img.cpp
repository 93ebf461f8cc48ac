#include "img.h"

#include "blendcell.h"
#include "skinbitmap.h"

namespace Framework {

Img::Img(int x, int y, int conditionIndex, Paramset* conditionSet, Skinbitmap& bitmap)
    : Uicomp(x, y, conditionIndex, conditionSet), bitmap(bitmap)
{
}

void Img::draw(Igui& gui, bool& visible, int&, int&, int&, int&)
{
    if (isDisplayed(gui, visible))
        blendCell(gui.surface(), &bitmap, 0, 0, bitmap.width(), bitmap.height(), x, y);
}

int Img::width()
{
    return bitmap.width();
}

int Img::height()
{
    return bitmap.height();
}

} // namespace Framework
