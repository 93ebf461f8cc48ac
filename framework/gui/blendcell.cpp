#include "blendcell.h"

#include "skinbitmap.h"
#include "window.h"

namespace Framework {

void blendCell(Window& surface, const Skinbitmap* strip, int sourceX, int sourceY, int w, int h, int x, int y)
{
    if (!strip || strip->empty() || w <= 0 || h <= 0)
        return;
    if (sourceX < 0 || sourceY < 0 || sourceX + w > strip->width() || sourceY + h > strip->height())
        return;
    surface.blend(*strip, sourceX, sourceY, w, h, x, y);
}

} // namespace Framework
