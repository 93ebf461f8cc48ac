#include "selectorart.h"

#include "eq/editor/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

std::unique_ptr<Painter> Selectorart::types(const Skinstyle& style, const std::array<Shape, 3>& shapes)
{
    auto p = std::make_unique<Painter>(Layout::selectorW, 2 * Layout::selectorH, style.density);
    strip(style, *p, shapes, 0, 1);
    return p;
}

std::unique_ptr<Painter> Selectorart::slopes(const Skinstyle& style, const std::array<Shape, 3>& shapes)
{
    auto p = std::make_unique<Painter>(Layout::selectorW, 6 * Layout::selectorH, style.density);
    for (int order = 2; order <= 4; ++order)
        strip(style, *p, shapes, 2 * Layout::selectorH * (order - 2), order);
    return p;
}

void Selectorart::strip(const Skinstyle& style, const Painter& p, const std::array<Shape, 3>& shapes, double top,
                        int order)
{
    for (int lit = 0; lit < 2; ++lit) {
        const double y = top + 24 * lit;
        body(style, p, 0.5, y + 1.5, 71, 21, lit);
        for (int k = 1; k < 3; ++k) {
            p.fillRect(24 * k - 1, y + 2, 1, 20, style.capEdge.alpha(lit ? 0.5 : 0.35));
            p.fillRect(24 * k, y + 2, 1, 20, style.capShine.alpha(lit ? 0.15 : 0.3));
        }
        for (int k = 0; k < 3; ++k)
            pictogram(p, shapes[k], 24 * k, y, lit ? style.litInk : style.label, order);
    }
}

std::unique_ptr<Painter> Selectorart::outputs(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(Layout::outputsSize, 2 * Layout::outputsSize, style.density);
    const char* const names[4] = {"ST", "M", "L", "R"};
    for (int lit = 0; lit < 2; ++lit)
        for (int k = 0; k < 4; ++k) {
            const int x = 19 * (k % 2), y = 38 * lit + 19 * (k / 2);
            body(style, *p, x + 1.5, y + 1.5, 16, 16, lit);
            p->centred(names[k], x + 9, y + 6, lit ? style.litInk : style.label);
        }
    return p;
}

void Selectorart::pictogram(const Painter& p, Shape shape, double x, double y, Colour c, int order)
{
    // Level over the segment's width, 0 at the flat base, 1 at the top.
    auto level = [shape, order](double u) {
        switch (shape) {
        case Shape::bell:
            return std::exp(-std::pow((u - 0.5) / 0.15, 2.0));
        case Shape::highshelf:
            return 0.5 + 0.5 * std::tanh((u - 0.5) * 9.0);
        case Shape::lowshelf:
            return 0.5 - 0.5 * std::tanh((u - 0.5) * 9.0);
        case Shape::highpass:
            return 0.6 - 0.3 * order * std::log1p(std::exp((0.45 - u) * 16.0));
        case Shape::lowpass:
            return 0.6 - 0.3 * order * std::log1p(std::exp((u - 0.55) * 16.0));
        }
        return 0.0;
    };
    cairo_save(p.cr());
    cairo_rectangle(p.cr(), x + 2, y + 3, 20, 18);
    cairo_clip(p.cr());
    for (int i = 0; i <= 48; ++i) {
        const double u = i / 48.0;
        const double px = x + 4.5 + 15 * u, py = y + 16 - 8 * level(u);
        if (i == 0)
            cairo_move_to(p.cr(), px, py);
        else
            cairo_line_to(p.cr(), px, py);
    }
    p.source(c);
    cairo_set_line_width(p.cr(), 1.6);
    cairo_set_line_cap(p.cr(), CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(p.cr(), CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(p.cr());
    cairo_restore(p.cr());
    // A steeper pass filter names its slope in the corner its curve leaves free.
    const bool pass = shape == Shape::highpass || shape == Shape::lowpass;
    if (pass && order > 1) {
        const std::string slope = std::to_string(12 * order);
        p.text(slope, static_cast<int>(x) + (shape == Shape::highpass ? 4 : 9), static_cast<int>(y) + 3, c);
    }
}

void Selectorart::body(const Skinstyle& style, const Painter& p, double x, double y, double w, double h, bool lit)
{
    if (lit)
        p.gradient(y, y + h, style.litTop, style.litBottom);
    else
        p.gradient(y, y + h, style.capTop, style.capBottom);
    p.roundRect(x, y, w, h, 3);
    cairo_fill_preserve(p.cr());
    p.source(style.capEdge);
    cairo_set_line_width(p.cr(), 1);
    cairo_stroke(p.cr());
    p.fillRect(x + 2.5, y + 0.5, w - 5, 1, lit ? style.capEdge.alpha(0.5) : style.capShine.alpha(0.5));
}
