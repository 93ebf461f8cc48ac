// Pictures on Linux: X11 for what a window shows, Cairo for PNG files.
#include "../picture.h"

#include "hostdisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <algorithm>

Picture::Picture(int width, int height, std::uint32_t fill)
    : w(width), h(height), pixels(static_cast<std::size_t>(width) * height, fill)
{
}

Picture Picture::capture(Nativewindow window)
{
    Display* display = hostDisplay();
    XWindowAttributes attributes{};
    if (!window || !XGetWindowAttributes(display, window, &attributes) || attributes.width <= 0 ||
        attributes.height <= 0)
        return Picture();
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return Picture();
    Picture picture(attributes.width, attributes.height);
    for (int y = 0; y < picture.h; ++y)
        for (int x = 0; x < picture.w; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            // A 24-bit TrueColor visual: the masks place red, green and blue.
            const auto channel = [p](unsigned long mask) {
                if (!mask)
                    return 0u;
                unsigned long value = p & mask;
                while (!(mask & 1)) {
                    mask >>= 1;
                    value >>= 1;
                }
                return static_cast<unsigned>(value * 255 / mask);
            };
            picture.at(x, y) = 0xFF000000u | channel(image->red_mask) << 16 | channel(image->green_mask) << 8 |
                               channel(image->blue_mask);
        }
    XDestroyImage(image);
    return picture;
}

Picture Picture::load(const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return Picture();
    }
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const bool alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
            if (!alpha)
                p |= 0xFF000000u;
            // Cairo's pixels are premultiplied; a picture's are not.
            const std::uint32_t a = p >> 24;
            if (a != 0 && a != 255) {
                const auto un = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
                p = a << 24 | un((p >> 16) & 0xFF) << 16 | un((p >> 8) & 0xFF) << 8 | un(p & 0xFF);
            }
            picture.at(x, y) = p;
        }
    cairo_surface_destroy(surface);
    return picture;
}

bool Picture::save(const std::string& path) const
{
    if (empty())
        return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = at(x, y), a = p >> 24;
            const auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            reinterpret_cast<std::uint32_t*>(data + y * stride)[x] =
                a << 24 | pre((p >> 16) & 0xFF) << 16 | pre((p >> 8) & 0xFF) << 8 | pre(p & 0xFF);
        }
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}
