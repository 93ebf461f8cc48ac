#include "aboutart.h"

#include "bitmapfont.h"
#include "eq/editor/layout.h"

#include <cmath>

std::unique_ptr<Painter> Aboutart::aboutbox(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(Layout::width, Layout::height, style.density);
    const double x = 220.5, y = 85.5, w = 359, h = 209;
    const int cx = Layout::width / 2;
    for (int i = 8; i >= 1; --i)
        p->fillRound(x - i, y - i + 3, w + 2 * i, h + 2 * i, 6 + i, rgb(0x000000).alpha(0.035));
    p->fillRound(x, y, w, h, 6, style.card);
    p->source(style.cardEdge);
    p->roundRect(x, y, w, h, 6);
    cairo_set_line_width(p->cr(), 1);
    cairo_stroke(p->cr());

    const char* const name = "VEXATONE";
    const double pixel = 4;
    const double nameW = (Bitmapfont::width(name) + 1) * pixel - pixel;
    p->lettering(name, cx - nameW / 2, 112, pixel, 3.3, style.ink);

    // A small response curve in the accent colour under the name.
    const double left = cx - nameW / 2, baseline = 160;
    for (int i = 0; i <= 120; ++i) {
        const double u = i / 120.0;
        const double lift = 7 * std::exp(-std::pow((u - 0.3) / 0.09, 2.0)) -
                            4 * std::exp(-std::pow((u - 0.62) / 0.07, 2.0)) +
                            3 * (0.5 + 0.5 * std::tanh((u - 0.85) * 20));
        if (i == 0)
            cairo_move_to(p->cr(), left + nameW * u, baseline - lift);
        else
            cairo_line_to(p->cr(), left + nameW * u, baseline - lift);
    }
    p->source(style.accent);
    cairo_set_line_width(p->cr(), 2);
    cairo_set_line_join(p->cr(), CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(p->cr(), CAIRO_LINE_CAP_ROUND);
    cairo_stroke(p->cr());

    p->centred("Seven-band stereo parametric equalizer", cx, 184, style.ink);
    p->centred("Version " VEX_VERSION, cx, 200, style.label);
    p->centred("Made by " VEX_COMPANY, cx, 232, style.label);
    p->centred("click to close", cx, 272, style.dim);
    return p;
}
