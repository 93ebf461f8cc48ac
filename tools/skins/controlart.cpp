#include "controlart.h"

#include "eq/editor/layout.h"

#include <cmath>
#include <string>

namespace {

const double pi = 3.14159265358979;

void circle(const Painter& p, double x, double y, double r)
{
    cairo_new_sub_path(p.cr());
    cairo_arc(p.cr(), x, y, r, 0, 2 * pi);
}

// Dark or white, whichever reads better on c.
Colour legibleOn(Colour c)
{
    const double luma = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    return luma > 140 ? rgb(0x15161a).alpha(0.9) : rgb(0xffffff);
}

} // namespace

std::unique_ptr<Painter> Controlart::knob(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(Layout::knobSize, Layout::knobSize * knobFrames, style.density);
    for (int k = 0; k < knobFrames; ++k)
        knobFrame(style, *p, Layout::knobSize * k + Layout::knobSize / 2, k / 100.0);
    return p;
}

void Controlart::knobFrame(const Skinstyle& style, const Painter& p, double cy, double value)
{
    const double cx = 17;
    auto direction = [](double v) { return (-135.0 + 270.0 * v) * pi / 180.0; };
    for (int i = 0; i <= 10; ++i) {
        const double a = direction(i / 10.0);
        circle(p, cx + 15.3 * std::sin(a), cy - 15.3 * std::cos(a), i % 5 == 0 ? 1.0 : 0.75);
    }
    p.source(style.dim);
    cairo_fill(p.cr());

    circle(p, cx, cy + 1, 12.5);
    p.source(style.capEdge.alpha(0.45));
    cairo_fill(p.cr());
    circle(p, cx, cy, 12);
    p.source(style.capEdge);
    cairo_fill(p.cr());
    circle(p, cx, cy, 11);
    p.gradient(cy - 11, cy + 11, style.capTop, style.capBottom);
    cairo_fill(p.cr());
    circle(p, cx, cy, 8.5);
    p.gradient(cy - 8.5, cy + 8.5, style.capBottom.mix(style.capTop, 0.35), style.capTop.mix(style.capBottom, 0.2));
    cairo_fill(p.cr());
    // Light catching the upper rim.
    cairo_new_path(p.cr());
    cairo_arc(p.cr(), cx, cy, 10.3, -0.85 * pi, -0.15 * pi);
    p.source(style.capShine.alpha(0.55));
    cairo_set_line_width(p.cr(), 1);
    cairo_stroke(p.cr());

    const double a = direction(value);
    cairo_move_to(p.cr(), cx + 3 * std::sin(a), cy - 3 * std::cos(a));
    cairo_line_to(p.cr(), cx + 9.3 * std::sin(a), cy - 9.3 * std::cos(a));
    p.source(style.accent);
    cairo_set_line_width(p.cr(), 2.2);
    cairo_set_line_cap(p.cr(), CAIRO_LINE_CAP_ROUND);
    cairo_stroke(p.cr());
}

std::unique_ptr<Painter> Controlart::fader(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(Layout::sliderW, Layout::handleH, style.density);
    p->fillRound(3, 3, 34, 28, 3.5, style.capEdge.alpha(0.45));
    p->gradient(2, 30, style.capTop, style.capBottom);
    p->roundRect(3.5, 2.5, 33, 27, 3);
    cairo_fill_preserve(p->cr());
    p->source(style.capEdge);
    cairo_set_line_width(p->cr(), 1);
    cairo_stroke(p->cr());
    p->fillRect(6, 3, 28, 1, style.capShine.alpha(0.7));
    // Grip grooves above and below the centre line.
    for (int y : {7, 10, 21, 24}) {
        p->fillRect(9, y, 22, 1, style.capEdge.alpha(0.55));
        p->fillRect(9, y + 1, 22, 1, style.capShine.alpha(0.35));
    }
    p->fillRect(4, 16, 32, 1, style.accent);
    p->fillRect(4, 17, 32, 1, style.capEdge.alpha(0.3));
    return p;
}

std::unique_ptr<Painter> Controlart::handles(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(Layout::handleSize * Layout::bands, 2 * Layout::handleSize, style.density);
    for (int b = 0; b < Layout::bands; ++b) {
        const Colour c = style.bands[b];
        const double x = Layout::handleSize * b + 7.5;
        const std::string number = std::to_string(b + 1);
        circle(*p, x, 7.5, 7);
        p->source(c.mix(rgb(0x000000), 0.45));
        cairo_fill(p->cr());
        circle(*p, x, 7.5, 6);
        p->gradient(1.5, 13.5, c.mix(rgb(0xffffff), 0.25), c);
        cairo_fill(p->cr());
        p->text(number, Layout::handleSize * b + 5, 4, legibleOn(c));

        circle(*p, x, 23.5, 6.2);
        p->source(style.displayBottom.alpha(0.7));
        cairo_fill_preserve(p->cr());
        p->source(c.alpha(0.75));
        cairo_set_line_width(p->cr(), 1.4);
        cairo_stroke(p->cr());
        p->text(number, 16 * b + 5, 20, c.alpha(0.8));
    }
    return p;
}

std::unique_ptr<Painter> Controlart::bandSwitch(const Skinstyle& style, int b)
{
    auto p = std::make_unique<Painter>(Layout::switchW, 2 * Layout::switchH, style.density);
    const Colour c = style.bands[b];
    for (int lit = 0; lit < 2; ++lit) {
        const double y = 18 * lit;
        p->gradient(y + 1, y + 17, style.capTop, style.capBottom);
        p->roundRect(0.5, y + 1.5, 35, 15, 3);
        cairo_fill_preserve(p->cr());
        p->source(style.capEdge);
        cairo_set_line_width(p->cr(), 1);
        cairo_stroke(p->cr());
        p->fillRect(3, y + 2, 30, 1, style.capShine.alpha(0.5));

        if (lit) {
            cairo_pattern_t* glow = cairo_pattern_create_radial(11, y + 9, 0, 11, y + 9, 7);
            cairo_pattern_add_color_stop_rgba(glow, 0, c.r / 255.0, c.g / 255.0, c.b / 255.0, 0.55);
            cairo_pattern_add_color_stop_rgba(glow, 1, c.r / 255.0, c.g / 255.0, c.b / 255.0, 0);
            cairo_set_source(p->cr(), glow);
            cairo_pattern_destroy(glow);
            cairo_paint(p->cr());
        }
        circle(*p, 11, y + 9, 2.6);
        p->source(lit ? c : style.well);
        cairo_fill_preserve(p->cr());
        p->source(lit ? c.mix(rgb(0x000000), 0.3) : style.capEdge.alpha(0.8));
        cairo_set_line_width(p->cr(), 0.8);
        cairo_stroke(p->cr());
        p->text(std::to_string(b + 1), 19, static_cast<int>(y) + 5, lit ? c : style.label, true);
    }
    return p;
}
