#include "canvas.h"

#include "framework/gui/headless/screen.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

Canvas::Canvas(int width, int height) : Window(width, height)
{
    if (!open(Framework::Headless::parentWindow()))
        throw std::runtime_error("the headless window did not open");
}

std::uint32_t Canvas::pixel(int x, int y) const
{
    return Framework::Headless::backPixel(*this, x, y);
}

void Canvas::clear(std::uint32_t argb)
{
    setColour(argb);
    fillRect(0, 0, width(), height());
}

int channelDistance(std::uint32_t a, std::uint32_t b)
{
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
        most = std::max(most, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
    return most;
}

bool writePng(const std::string& path, int w, int h, const std::function<std::uint32_t(int x, int y)>& colourAt)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * cairo_image_surface_get_stride(surface));
        for (int x = 0; x < w; ++x)
            row[x] = colourAt(x, y);
    }
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

std::unique_ptr<Framework::Skinbitmap> makeImage(const std::string& folder, int w, int h,
                                                 const std::function<std::uint32_t(int x, int y)>& colourAt)
{
    static int made = 0;
    auto image = std::make_unique<Framework::Skinbitmap>("image" + std::to_string(++made) + ".png");
    const std::string path = folder + "/" + image->fileName;
    if (!writePng(path, w, h, colourAt) || !image->load(path))
        throw std::runtime_error("could not make " + path);
    return image;
}
