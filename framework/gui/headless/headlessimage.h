// A skin image on the headless platform: a Cairo ARGB32 surface, whose
// pixels are premultiplied as the Windows images are.
#pragma once

#include "framework/gui/skinbitmap.h"

#include <cairo.h>

namespace Framework {

struct Skinbitmap::Image {
    explicit Image(cairo_surface_t* surface) : surface(surface) {}
    ~Image() { cairo_surface_destroy(surface); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    cairo_surface_t* const surface;
};

} // namespace Framework
