// 32-bit pixels (0xAARRGGBB, rows top down) taken from a window or a PNG
// file, and written to PNG; GDI+ does the PNG work (Cairo on Linux).
#pragma once

#include "hostwindow.h"

#include <cstdint>
#include <string>
#include <vector>

class Picture {
public:
    Picture() = default;
    Picture(int width, int height, std::uint32_t fill = 0);

    // What the window's client area shows, opaque; empty on failure.
    static Picture capture(Nativewindow window);
    // A PNG (or any image GDI+ reads) as unpremultiplied ARGB; empty on failure.
    static Picture load(const std::string& path);
    // Writes a PNG; false on failure.
    bool save(const std::string& path) const;

    int width() const { return w; }
    int height() const { return h; }
    bool empty() const { return pixels.empty(); }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * w + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * w + x]; }

private:
    int w = 0;
    int h = 0;
    std::vector<std::uint32_t> pixels;
};
