// The editor's drawing with Cairo into an ARGB32 back buffer, in device
// pixels: shared by the headless and the X11 back ends, so both give the
// same pixels.
#pragma once

#include "framework/gui/window.h"

#include <cairo.h>

#include <cstdint>

namespace Framework {

class Skinbitmap;

namespace Cairodrawing {

// Copies the rectangle of image at the same place, alpha and all.
void copy(cairo_t* cr, const Skinbitmap& image, int x, int y, int w, int h);
// Blends the w x h rectangle of image at (sourceX, sourceY) over (x, y).
void blend(cairo_t* cr, const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y);
// Blends a rectangle of an ARGB colour.
void fill(cairo_t* cr, std::uint32_t argb, int x, int y, int w, int h);
// An anti-aliased line through at least two points.
void lines(cairo_t* cr, const Point* points, int count, std::uint32_t argb, float lineWidth);
// The area between a line through count points (x ascending) and the row
// baseY, filled without anti-aliasing (the line covers its edge).
void fillUnder(cairo_t* cr, const Point* points, int count, float baseY, std::uint32_t argb);
// Clips to the rectangle, or to nothing when on is false.
void clip(cairo_t* cr, bool on, int x, int y, int w, int h);

} // namespace Cairodrawing
} // namespace Framework
