#include "panelart.h"

#include "bitmapfont.h"
#include "eq/editor/displayscale.h"
#include "eq/editor/layout.h"

#include <cmath>

using namespace Layout;

std::unique_ptr<Painter> Panelart::background(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(width, height, style.density);
    p->gradient(0, height, style.panelTop, style.panelBottom);
    cairo_paint(p->cr());
    p->grain(style.grain, 7);
    display(style, *p);
    controlStrip(style, *p);
    volumeColumn(style, *p);
    return p;
}

void Panelart::display(const Skinstyle& style, const Painter& p)
{
    well(style, p, displayX, displayY, displayW, displayH);
    p.gradient(displayY, displayY + displayH, style.displayTop, style.displayBottom);
    cairo_rectangle(p.cr(), displayX, displayY, displayW, displayH);
    cairo_fill(p.cr());
    // A soft shadow under the top edge, as if the display sat behind glass.
    p.gradient(displayY, displayY + 6, style.bezelDark.alpha(0.30), style.bezelDark.alpha(0));
    cairo_rectangle(p.cr(), displayX, displayY, displayW, 6);
    cairo_fill(p.cr());

    // Frequency lines at every 1..9 step, stronger at 100 Hz, 1 kHz, 10 kHz,
    // stopping short of the frequency scale.
    for (double decade = 10; decade <= 10000; decade *= 10)
        for (int step = 1; step <= 9; ++step) {
            const double f = decade * step;
            if (f < 20 || f > 20000)
                continue;
            const long x = displayX + std::lround(Displayscale::pointOf(f));
            p.fillRect(x, displayY + 1, 1, scaleY - displayY - 2, step == 1 ? style.gridMajor : style.gridMinor);
        }
}

void Panelart::controlStrip(const Skinstyle& style, const Painter& p)
{
    const int textY = knobY - 3;
    p.text("zoom", zoomX + knobSize + 4, textY, style.label);
    p.text("curve", curveX - 4 - Bitmapfont::width("curve"), textY, style.label);

    // Options has no image: a small raised button, wider than its hit area
    // so that the word fits.
    const int cx = optionsX + optionsW / 2;
    const double bx = cx - 25.5, by = optionsY + 0.5;
    p.fillRound(bx, by + 1, 50, optionsH - 1, 3.5, style.capEdge.alpha(0.35));
    p.gradient(by, by + optionsH - 1, style.capTop, style.capBottom);
    p.roundRect(bx, by, 50, optionsH - 1, 3.5);
    cairo_fill_preserve(p.cr());
    p.source(style.capEdge);
    cairo_set_line_width(p.cr(), 1);
    cairo_stroke(p.cr());
    p.fillRect(bx + 3, by + 1, 44, 1, style.capShine.alpha(0.6));
    p.centred("Options", cx, optionsY + 5, style.ink);

    // Thin rules between the bands' columns.
    for (int k = 1; k < bands; ++k) {
        const int x = selectorX - 4 + k * bandPitch;
        p.fillRect(x, switchY + 6, 1, height - switchY - 10, style.bezelDark.alpha(0.35));
        p.fillRect(x + 1, switchY + 6, 1, height - switchY - 10, style.bezelLight.alpha(0.12));
    }

    // The name, right in the gap before the curve knob, underlined in the
    // accent colour.
    const int nameRight = curveX - 5;
    const int nameX = nameRight - Bitmapfont::width("VEXATONE", 1);
    p.text("VEXATONE", nameX, 361, style.ink.alpha(0.85), false, 1);
    p.fillRect(nameX, 371, nameRight - nameX, 1, style.accent);
}

void Panelart::volumeColumn(const Skinstyle& style, const Painter& p)
{
    const int cx = sliderX + sliderW / 2;
    const int top = sliderY + handleH / 2, bottom = top + travel;
    well(style, p, cx - 2, top - 6, 4, travel + 12);
    p.fillRect(cx - 2, top - 6, 4, travel + 12, style.well);

    // Ticks every 6 dB on both sides, the 0 dB one long and accented.
    for (double db = volumeHigh; db >= volumeLow; db -= 6) {
        const long y = std::lround(bottom - (db - volumeLow) / (volumeHigh - volumeLow) * travel);
        const bool zero = db == 0;
        const int length = zero ? 9 : 6;
        const Colour c = zero ? style.accent : style.dim;
        p.fillRect(cx - 6 - length, y, length, 1, c);
        p.fillRect(cx + 6, y, length, 1, c);
    }

    well(style, p, readoutX, readoutY, readoutW, readoutH);
    p.fillRect(readoutX, readoutY, readoutW, readoutH, style.well);
}

void Panelart::well(const Skinstyle& style, const Painter& p, int x, int y, int w, int h)
{
    p.fillRect(x - 1, y - 1, w + 2, h + 2, style.bezelLight);
    p.fillRect(x - 1, y - 1, w + 1, h + 1, style.bezelDark);
}
