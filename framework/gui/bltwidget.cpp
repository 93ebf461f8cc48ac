#include "bltwidget.h"

#include "blendcell.h"
#include "skinbitmap.h"

namespace Framework {

int Bltwidget::bitmapHeight() const
{
    return bitmap ? bitmap->height() : 0;
}

void Bltwidget::blendPart(Window& surface, int sourceX, int sourceY, int w, int h, int x, int y) const
{
    blendCell(surface, bitmap, sourceX, sourceY, w, h, x, y);
}

} // namespace Framework
