#include "painter.h"

#include "bitmapfont.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

Painter::Painter(int width, int height, int density)
    : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * density, height * density)),
      context(cairo_create(surface))
{
    cairo_scale(context, density, density);
}

Painter::~Painter()
{
    cairo_destroy(context);
    cairo_surface_destroy(surface);
}

void Painter::source(Colour c) const
{
    cairo_set_source_rgba(context, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
}

void Painter::gradient(double y0, double y1, Colour top, Colour bottom) const
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0, top.a / 255.0);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0, bottom.a / 255.0);
    cairo_set_source(context, p);
    cairo_pattern_destroy(p);
}

void Painter::roundRect(double x, double y, double w, double h, double r) const
{
    const double pi = 3.14159265358979;
    cairo_new_sub_path(context);
    cairo_arc(context, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(context, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(context, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(context, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(context);
}

void Painter::fillRect(double x, double y, double w, double h, Colour c) const
{
    source(c);
    cairo_rectangle(context, x, y, w, h);
    cairo_fill(context);
}

void Painter::fillRound(double x, double y, double w, double h, double r, Colour c) const
{
    source(c);
    roundRect(x, y, w, h, r);
    cairo_fill(context);
}

void Painter::text(const std::string& s, int x, int y, Colour c, bool bold, int spacing) const
{
    source(c);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int code = static_cast<unsigned char>(s[i]);
        const int left = x + static_cast<int>(i) * (Bitmapfont::cell + spacing);
        for (int row = 0; row < Bitmapfont::rows; ++row)
            for (int column = 0; column < Bitmapfont::glyphWidth; ++column)
                if (Bitmapfont::on(code, column, row))
                    cairo_rectangle(context, left + column, y + row, bold ? 2 : 1, 1);
    }
    cairo_fill(context);
}

void Painter::centred(const std::string& s, int cx, int y, Colour c, bool bold, int spacing) const
{
    const int w = Bitmapfont::width(s, spacing) + (bold ? 1 : 0);
    text(s, cx - (w - 1) / 2, y, c, bold, spacing);
}

void Painter::lettering(const std::string& s, double x, double y, double pixel, double pen, Colour c) const
{
    cairo_new_path(context);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int code = static_cast<unsigned char>(s[i]);
        const double left = x + i * Bitmapfont::cell * pixel;
        auto at = [&](int column, int row) {
            return std::pair<double, double>(left + (column + 0.5) * pixel, y + (row + 0.5) * pixel);
        };
        auto join = [&](int c0, int r0, int c1, int r1) {
            const auto [x0, y0] = at(c0, r0);
            const auto [x1, y1] = at(c1, r1);
            cairo_move_to(context, x0, y0);
            cairo_line_to(context, x1, y1);
        };
        for (int row = 0; row < Bitmapfont::rows; ++row)
            for (int column = 0; column < Bitmapfont::glyphWidth; ++column) {
                if (!Bitmapfont::on(code, column, row))
                    continue;
                join(column, row, column, row);
                if (Bitmapfont::on(code, column + 1, row))
                    join(column, row, column + 1, row);
                if (Bitmapfont::on(code, column, row + 1))
                    join(column, row, column, row + 1);
                // Diagonals only where no straight path turns the corner.
                for (int side : {-1, 1})
                    if (Bitmapfont::on(code, column + side, row + 1) && !Bitmapfont::on(code, column + side, row) &&
                        !Bitmapfont::on(code, column, row + 1))
                        join(column, row, column + side, row + 1);
            }
    }
    source(c);
    cairo_set_line_width(context, pen);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(context);
}

void Painter::grain(int amount, unsigned seed) const
{
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    std::uint32_t state = seed;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            const int delta = static_cast<int>(state >> 24) % (2 * amount + 1) - amount;
            std::uint32_t& p = line[x];
            if (p >> 24 != 255)
                continue;
            std::uint32_t out = 0xFF000000u;
            for (int shift : {16, 8, 0}) {
                const int channel = std::clamp(static_cast<int>((p >> shift) & 255) + delta, 0, 255);
                out |= static_cast<std::uint32_t>(channel) << shift;
            }
            p = out;
        }
    }
    cairo_surface_mark_dirty(surface);
}

bool Painter::save(const std::string& path) const
{
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
