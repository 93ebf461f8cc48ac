#include "cairodrawing.h"

#include "framework/gui/headless/headlessimage.h"
#include "framework/gui/skinbitmap.h"

#include <algorithm>

namespace Framework::Cairodrawing {

namespace {

void setSource(cairo_t* cr, std::uint32_t argb)
{
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                          (argb >> 24) / 255.0);
}

// A path through the points. Window pixels have their centres on integers;
// Cairo's lie half a pixel on.
void trace(cairo_t* cr, const Point* points, int count)
{
    cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
    for (int i = 1; i < count; ++i)
        cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
}

} // namespace

void copy(cairo_t* cr, const Skinbitmap& image, int x, int y, int w, int h)
{
    if (!cr || image.empty())
        return;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, image.image()->surface, 0, 0);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 0, image.deviceWidth(), image.deviceHeight());
    cairo_fill(cr);
    cairo_restore(cr);
}

void blend(cairo_t* cr, const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y)
{
    if (!cr || image.empty() || w <= 0 || h <= 0)
        return;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_source_surface(cr, image.image()->surface, x - sourceX, y - sourceY);
    // Only pixels the image has: the part of the rectangle inside it.
    const int left = std::max(sourceX, 0), top = std::max(sourceY, 0);
    const int right = std::min(sourceX + w, image.deviceWidth()), bottom = std::min(sourceY + h, image.deviceHeight());
    if (right > left && bottom > top) {
        cairo_rectangle(cr, x + left - sourceX, y + top - sourceY, right - left, bottom - top);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void fill(cairo_t* cr, std::uint32_t argb, int x, int y, int w, int h)
{
    if (!cr)
        return;
    cairo_save(cr);
    setSource(cr, argb);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_restore(cr);
}

void lines(cairo_t* cr, const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    if (!cr)
        return;
    cairo_save(cr);
    setSource(cr, argb);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_FAST);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    trace(cr, points, count);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void fillUnder(cairo_t* cr, const Point* points, int count, float baseY, std::uint32_t argb)
{
    if (!cr)
        return;
    cairo_save(cr);
    setSource(cr, argb);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    trace(cr, points, count);
    cairo_line_to(cr, points[count - 1].x + 0.5, baseY + 0.5);
    cairo_line_to(cr, points[0].x + 0.5, baseY + 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

void clip(cairo_t* cr, bool on, int x, int y, int w, int h)
{
    if (!cr)
        return;
    cairo_reset_clip(cr);
    if (!on)
        return;
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
}

} // namespace Framework::Cairodrawing
