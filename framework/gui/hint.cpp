#include "hint.h"

#include "pixelfont.h"
#include "skinbitmap.h"
#include "uicomp.h"
#include "window.h"

#include <algorithm>

namespace Framework {

Boxcolours Boxcolours::suiting(const Pixelfont& font) const
{
    // A font without visible pixels draws nothing: any box will do.
    const bool darkGlyphs = font.bitmap && font.bitmap->brightness() >= 0 && font.bitmap->brightness() < 128;
    return {fill ? fill : darkGlyphs ? 0xF0F4F2ECu : 0xF0202328u, edge ? edge : darkGlyphs ? 0x60000000u : 0x60FFFFFFu};
}

void Hint::follow(Window& window, Uicomp* target)
{
    if (target == resting)
        return;
    hide(window);
    resting = target;
    countdown = target ? delayTicks : 0;
}

void Hint::hide(Window& window)
{
    if (showing)
        window.invalidate(boxX, boxY, boxW, boxH);
    showing = false;
    resting = nullptr;
    countdown = 0;
}

void Hint::tick(Window& window)
{
    if (countdown <= 0 || --countdown > 0 || !resting || !font)
        return;
    words = resting->hint();
    if (words.empty())
        return;
    place(window);
    showing = true;
    window.invalidate(boxX, boxY, boxW, boxH);
}

void Hint::place(const Window& window)
{
    boxW = static_cast<int>(words.size()) * font->glyphWidth + 2 * padding;
    boxH = font->glyphHeight() + 2 * padding;
    const int top = resting->y, bottom = resting->y + resting->height();
    boxY = bottom + gap + boxH <= window.height() ? bottom + gap : top - gap - boxH;
    boxX = std::clamp(resting->x, gap, std::max(gap, window.width() - gap - boxW));
}

void Hint::draw(Window& window) const
{
    if (!showing)
        return;
    const Boxcolours shown = colours.suiting(*font);
    drawFramedBox(window, boxX, boxY, boxW, boxH, shown.fill, shown.edge);
    drawText(words, *font, window, boxX + padding, boxY + padding, static_cast<int>(words.size()), 1);
}

void drawFramedBox(Window& window, int x, int y, int w, int h, std::uint32_t fill, std::uint32_t edge)
{
    const std::uint32_t kept = window.colour();
    window.setColour(edge);
    window.fillRect(x, y, w, 1);
    window.fillRect(x, y + h - 1, w, 1);
    window.fillRect(x, y + 1, 1, h - 2);
    window.fillRect(x + w - 1, y + 1, 1, h - 2);
    window.setColour(fill);
    window.fillRect(x + 1, y + 1, w - 2, h - 2);
    window.setColour(kept);
}

} // namespace Framework
