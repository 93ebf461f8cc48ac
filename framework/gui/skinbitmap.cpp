#include "skinbitmap.h"

#include "window.h"

#include "framework/platform/nativepath.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace Framework {

namespace {

unsigned long bigEndian(const unsigned char* bytes)
{
    return static_cast<unsigned long>(bytes[0]) << 24 | static_cast<unsigned long>(bytes[1]) << 16 |
           static_cast<unsigned long>(bytes[2]) << 8 | static_cast<unsigned long>(bytes[3]);
}

} // namespace

// A refused or undecodable file leaves the record empty, as a missing one.
bool Skinbitmap::load(const std::string& path, int density, int scale)
{
    release();
    meanBrightness = -1;
    if (density >= 1 && acceptable(path) && decode(path, density, scale))
        return true;
    imageWidth = imageHeight = heldWidth = heldHeight = 0;
    return false;
}

int Skinbitmap::brightnessOf(const unsigned char* rows, int stride) const
{
    // Premultiplied channels summed as luma, divided by the summed opacity.
    unsigned long long luma = 0, opacity = 0;
    for (int y = 0; y < heldHeight; ++y) {
        const unsigned char* row = rows + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < heldWidth; ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, row + 4 * x, sizeof pixel);
            luma += 299 * (pixel >> 16 & 0xFF) + 587 * (pixel >> 8 & 0xFF) + 114 * (pixel & 0xFF);
            opacity += 1000 * (pixel >> 24);
        }
    }
    return opacity ? static_cast<int>(std::min<unsigned long long>(255, luma * 255 / opacity)) : -1;
}

bool Skinbitmap::loadFrom(const std::string& folder, int scale, long long& budget)
{
    auto within = [&](const std::string& path, int density) {
        const long long held = heldPixels(path, density, scale);
        return held >= 0 && held <= budget && load(path, density, scale);
    };
    const bool loaded = (scale > 100 && within(folder + doubleName(fileName), 2)) || within(folder + fileName, 1);
    if (!loaded) {
        release();
        imageWidth = imageHeight = heldWidth = heldHeight = 0;
        return false;
    }
    budget -= static_cast<long long>(heldWidth) * heldHeight;
    return true;
}

bool Skinbitmap::takeSize(int fileWidth, int fileHeight, int density, int scale)
{
    if (fileWidth <= 0 || fileHeight <= 0 || fileWidth % density != 0 || fileHeight % density != 0)
        return false;
    imageWidth = fileWidth / density;
    imageHeight = fileHeight / density;
    heldWidth = Window::scaled(imageWidth, scale);
    heldHeight = Window::scaled(imageHeight, scale);
    return true;
}

bool Skinbitmap::acceptable(const std::string& path)
{
    return heldPixels(path, 1, 100) >= 0;
}

// A PNG file starts with its signature and then the header chunk, which
// declares the image's width and height.
long long Skinbitmap::heldPixels(const std::string& path, int density, int scale)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char start[24] = {};
    std::ifstream in(nativePath(path).c_str(), std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(start), sizeof start))
        return -1;
    if (std::memcmp(start, signature, sizeof signature) != 0 || std::memcmp(start + 12, "IHDR", 4) != 0)
        return -1;
    const unsigned long width = bigEndian(start + 16), height = bigEndian(start + 20);
    if (!(width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
          static_cast<long long>(width) * static_cast<long long>(height) <= maxPixels) ||
        density < 1)
        return -1;
    const int w = static_cast<int>(width) / density, h = static_cast<int>(height) / density;
    return static_cast<long long>(Window::scaled(w, scale)) * Window::scaled(h, scale);
}

} // namespace Framework
