#include "pixelfont.h"

#include "blendcell.h"
#include "skinbitmap.h"

#include <algorithm>

namespace Framework {

Pixelfont::Pixelfont(Skinbitmap* bitmap, int glyphWidth) : bitmap(bitmap), glyphWidth(glyphWidth)
{
    if (bitmap)
        bitmap->keepPixelsWhole();
}

int Pixelfont::glyphHeight() const
{
    return bitmap ? bitmap->height() : 0;
}

void drawText(const std::string& text, const Pixelfont& font, Window& surface, int x, int y, int maxChars,
              int alignment)
{
    const int n = std::min(static_cast<int>(text.size()), maxChars);
    const int w = font.glyphWidth, h = font.glyphHeight();
    int start = 0;
    if (alignment == 0)
        start = (w * maxChars - w * n) / 2;
    else if (alignment == 2)
        start = w * (maxChars - n);
    for (int i = 0; i < n; ++i) {
        const int code = static_cast<signed char>(text[static_cast<std::size_t>(i)]);
        blendCell(surface, font.bitmap, w * (code - 32), 0, w, h, x + start + i * w, y);
    }
}

} // namespace Framework
