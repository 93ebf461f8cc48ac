#include "framework/gui/skinbitmap.h"

#include "headlessimage.h"

namespace Framework {

Skinbitmap::Skinbitmap(std::string fileName) : fileName(std::move(fileName)) {}

Skinbitmap::~Skinbitmap() = default;

bool Skinbitmap::load(const std::string& path)
{
    pixels.reset();
    imageWidth = imageHeight = 0;
    if (!acceptable(path))
        return false;
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return false;
    }
    // Whatever the file's format, the image is held as premultiplied ARGB32.
    const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
    cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(argb);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(png);
    pixels = std::make_unique<Image>(argb);
    imageWidth = w;
    imageHeight = h;
    return true;
}

} // namespace Framework
