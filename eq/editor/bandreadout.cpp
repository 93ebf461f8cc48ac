#include "bandreadout.h"

#include "layout.h"

#include "eq/bandtext.h"
#include "eq/bandwidth.h"
#include "framework/gui/hint.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/window.h"
#include "framework/plugin/numberformat.h"

#include <algorithm>

using namespace Vexparameters;

void Bandreadout::compose(const double (&values)[bandValueCount], int band, double gainScale, double fs)
{
    const bool off = values[on] <= 0.5;
    const bool pass = Bandtext::isPass(band, values[type]);
    used = 0;
    auto add = [this](std::string text, Value value) { lines[static_cast<std::size_t>(used++)] = {text, value}; };
    add(Framework::formatInt(band + 1) + " " + Bandtext::kind(band, values[type], true) + (off ? " (off)" : ""),
        Value::none);
    add(Bandtext::frequency(values[frequency]), Value::frequency);
    if (pass) {
        add(Bandtext::slope(stepOf(values[slope], slopeSteps)), Value::none);
    } else {
        add(Bandtext::gain(values[gain]), Value::gain);
        Bandwidth::Width width{};
        if (Bandwidth::of(values, band, gainScale, fs, width))
            add("Q " + Bandtext::q(width.q) + "  " + Bandtext::octaves(width.octaves), Value::width);
    }
}

void Bandreadout::place(const Framework::Pixelfont& font, int handleX, int handleY, int left, int top, int right,
                        int bottom, bool leftward)
{
    std::size_t longest = 0;
    for (int i = 0; i < used; ++i)
        longest = std::max(longest, lines[static_cast<std::size_t>(i)].text.size());
    pitch = font.glyphHeight() + lineGap;
    boxW = static_cast<int>(longest) * font.glyphWidth + 2 * padding;
    boxH = used * pitch - lineGap + 2 * padding;
    // Right of the handle, past the placement letter drawn beside it.
    const int size = Layout::handleSize;
    const int rightX = handleX + size + handleGap, leftX = handleX - handleGap / 2 - boxW;
    boxX = leftward ? (leftX < left ? rightX : leftX) : (rightX + boxW > right ? leftX : rightX);
    boxY = std::clamp(handleY + size / 2 - boxH / 2, top, std::max(top, bottom - boxH));
    boxX = std::clamp(boxX, left, std::max(left, right - boxW));
}

void Bandreadout::draw(Framework::Window& surface, const Framework::Pixelfont& font, int marked) const
{
    if (!used)
        return;
    const Framework::Boxcolours shown = colours.suiting(font);
    Framework::drawFramedBox(surface, boxX, boxY, boxW, boxH, shown.fill, shown.edge);
    for (int i = 0; i < used; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)].text;
        Framework::drawText(line, font, surface, boxX + padding, lineTop(i), static_cast<int>(line.size()), 1);
        if (i == marked) {
            const std::uint32_t kept = surface.colour();
            surface.setColour(shown.edge | 0xFF000000u);
            surface.fillRect(boxX + padding, lineTop(i) + font.glyphHeight(),
                             static_cast<int>(line.size()) * font.glyphWidth, 1);
            surface.setColour(kept);
        }
    }
}

bool Bandreadout::contains(int px, int py) const
{
    return used > 0 && px >= boxX && px < boxX + boxW && py >= boxY && py < boxY + boxH;
}

bool Bandreadout::overlaps(int rx, int ry, int rw, int rh) const
{
    return used > 0 && rx < boxX + boxW && boxX < rx + rw && ry < boxY + boxH && boxY < ry + rh;
}

int Bandreadout::lineAt(int py) const
{
    if (!used || pitch <= 0)
        return -1;
    return std::clamp((py - boxY - padding + lineGap / 2) / pitch, 0, used - 1);
}

Bandreadout::Value Bandreadout::valueOf(int line) const
{
    return line >= 0 && line < used ? lines[static_cast<std::size_t>(line)].value : Value::none;
}

const std::string& Bandreadout::text(int line) const
{
    static const std::string none;
    return line >= 0 && line < used ? lines[static_cast<std::size_t>(line)].text : none;
}

int Bandreadout::lineTop(int line) const
{
    return boxY + padding + line * pitch;
}
