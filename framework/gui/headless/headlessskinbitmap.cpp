#include "framework/gui/skinbitmap.h"

#include "headlessimage.h"

namespace Framework {

Skinbitmap::Skinbitmap(std::string fileName) : fileName(std::move(fileName)) {}

Skinbitmap::~Skinbitmap() = default;

void Skinbitmap::release()
{
    pixels.reset();
}

// Whatever the file's format, the image is held as premultiplied ARGB32, at
// the scale: smoothly filtered, or by whole pixels for pixel art.
bool Skinbitmap::decode(const std::string& path, int density, int scale)
{
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS ||
        !takeSize(cairo_image_surface_get_width(png), cairo_image_surface_get_height(png), density, scale)) {
        cairo_surface_destroy(png);
        return false;
    }
    cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, heldWidth, heldHeight);
    cairo_t* cr = cairo_create(argb);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_scale(cr, static_cast<double>(heldWidth) / (imageWidth * density),
                static_cast<double>(heldHeight) / (imageHeight * density));
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_pattern_t* source = cairo_get_source(cr);
    cairo_pattern_set_extend(source, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(source, wholePixels ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BEST);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(png);
    if (wholePixels) {
        cairo_surface_flush(argb);
        meanBrightness = brightnessOf(cairo_image_surface_get_data(argb), cairo_image_surface_get_stride(argb));
    }
    pixels = std::make_unique<Image>(argb);
    return true;
}

} // namespace Framework
