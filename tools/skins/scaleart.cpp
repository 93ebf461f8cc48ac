#include "scaleart.h"

#include "bitmapfont.h"
#include "eq/editor/displayscale.h"
#include "eq/editor/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace Layout;

std::unique_ptr<Painter> Scaleart::font(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(Bitmapfont::cell * Bitmapfont::count, Bitmapfont::rows, style.density);
    for (int i = 0; i < Bitmapfont::count; ++i)
        p->text(std::string(1, static_cast<char>(Bitmapfont::first + i)), Bitmapfont::cell * i, 0, style.ink);
    return p;
}

std::unique_ptr<Painter> Scaleart::statusBack(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(statusW, statusH, style.density);
    p->fillRound(0.5, 0.5, statusW - 1, statusH - 1, 5.5, style.pill);
    p->source(style.pillEdge);
    p->roundRect(0.5, 0.5, statusW - 1, statusH - 1, 5.5);
    cairo_set_line_width(p->cr(), 1);
    cairo_stroke(p->cr());
    return p;
}

std::unique_ptr<Painter> Scaleart::dbLine(const Skinstyle& style)
{
    const int w = displayX + displayW - dbLineX;
    auto p = std::make_unique<Painter>(w, 1, style.density);
    // Fading in and out over the last pixels at either end.
    for (int x = 0; x < w; ++x) {
        const double fade = std::min(1.0, std::min(x + 1, w - x) / 24.0);
        p->fillRect(x, 0, 1, 1, style.gridMajor.alpha(style.gridMajor.a / 255.0 * fade));
    }
    return p;
}

std::unique_ptr<Painter> Scaleart::dbNumbers(const Skinstyle& style)
{
    const int w = dbLineX - displayX;
    auto p = std::make_unique<Painter>(w, dbRow * dbRows, style.density);
    const int steps[] = {36, 30, 24, 18, 12, 6, 3};
    for (int row = 0; row < dbRows; ++row) {
        const int middle = dbRows / 2;
        const std::string text = row == middle  ? "0"
                                 : row < middle ? "+" + std::to_string(steps[row])
                                                : "-" + std::to_string(steps[dbRows - 1 - row]);
        p->text(text, w - 2 - Bitmapfont::width(text), dbRow * row + 1, style.label.alpha(0.85));
    }
    return p;
}

std::unique_ptr<Painter> Scaleart::frequencies(const Skinstyle& style)
{
    auto p = std::make_unique<Painter>(scaleW, scaleH, style.density);
    auto column = [](double f) {
        return static_cast<int>(std::lround(Displayscale::pointOf(f))) - Displayscale::scaleX;
    };
    for (double decade = 10; decade <= 10000; decade *= 10)
        for (int step : {1, 2, 5}) {
            const double f = decade * step;
            if (f >= 20 && f <= 20000)
                p->fillRect(column(f), 0, 1, step == 1 ? 3 : 2, style.dim);
        }
    const std::pair<double, const char*> labels[] = {{100, "100"}, {200, "200"}, {500, "500"},  {1000, "1k"},
                                                     {2000, "2k"}, {5000, "5k"}, {10000, "10k"}};
    for (const auto& [f, text] : labels)
        p->centred(text, column(f), 4, style.label.alpha(0.85));
    return p;
}
