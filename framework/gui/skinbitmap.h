// One skin image: a file name within a skin folder and, once loaded, its
// pixels as the platform blends them (32-bit, premultiplied alpha).
// Widgets point to records; the Gui owns them. A record that failed to load
// is empty (0 x 0) and everything drawn from it draws nothing.
#pragma once

#include <memory>
#include <string>

namespace Framework {

class Skinbitmap {
public:
    explicit Skinbitmap(std::string fileName);
    ~Skinbitmap();
    Skinbitmap(const Skinbitmap&) = delete;
    Skinbitmap& operator=(const Skinbitmap&) = delete;

    int width() const { return imageWidth; }
    int height() const { return imageHeight; }
    bool empty() const { return !pixels; }

    // Loads the image at path into the record; on failure the record is
    // left empty and false is answered. The file name stays either way.
    bool load(const std::string& path);

    // Skins are folders users install, so their images are input. The
    // largest image the editor draws, at twice its size, is 1600 x 760 (the
    // background) or 68 x 6868 (a knob strip); an image larger than these
    // bounds is refused before anything is decoded, as one that is missing.
    static constexpr int maxSide = 16384;
    static constexpr long long maxPixels = 1LL << 23;
    // Whether path holds a PNG whose declared size is within the bounds.
    static bool acceptable(const std::string& path);

    const std::string fileName;

    struct Image; // the platform's image
    Image* image() const { return pixels.get(); }

private:
    std::unique_ptr<Image> pixels;
    int imageWidth = 0;
    int imageHeight = 0;
};

} // namespace Framework
