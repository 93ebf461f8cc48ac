// One skin image: a file name within a skin folder and, once loaded, its
// pixels as the platform blends them (32-bit, premultiplied alpha), made at
// the editor's scale. Its size is told in layout pixels, so that components
// cut frames from it as at 100 %.
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
    // The pixels as held, at the scale it was loaded for.
    int deviceWidth() const { return heldWidth; }
    int deviceHeight() const { return heldHeight; }
    bool empty() const { return !pixels; }
    // The mean brightness (0 to 255) of the pixels of pixel art (a font),
    // each counted by its opacity, as loaded; -1 when none is visible, and
    // for other images, which need no measuring. A font's tells whether its
    // text wants a dark ground or a light one.
    int brightness() const { return meanBrightness; }

    // Loads the image at path, whose file has density pixels per layout
    // pixel (1, or 2 for the "@2x" images), and makes it at scale percent.
    // On failure, or when the file's size is no whole number of layout
    // pixels, the record is left empty and false is answered. The file name
    // stays either way.
    bool load(const std::string& path, int density = 1, int scale = 100);

    // Loads the image from a skin folder (ending in a separator) for a scale:
    // above 100 % from its "@2x" file where the folder has a usable one,
    // else from its own. budget is the number of pixels the skin's images
    // may still hold at the scale: a file that would take more is refused,
    // before it is decoded, as a missing one; what a loaded one takes is
    // subtracted.
    bool loadFrom(const std::string& folder, int scale, long long& budget);

    // The file name of the image drawn at twice the layout's size:
    // "knob.png" has "knob@2x.png".
    static std::string doubleName(const std::string& fileName)
    {
        const std::size_t dot = fileName.rfind('.');
        return dot == std::string::npos ? fileName + "@2x" : fileName.substr(0, dot) + "@2x" + fileName.substr(dot);
    }

    // An image of pixel art (a pixel font) is enlarged by repeating whole
    // pixels rather than smoothly.
    void keepPixelsWhole() { wholePixels = true; }

    // Skins are folders users install, so their images are input. The
    // largest image the editor draws, at twice its size, is 1600 x 760 (the
    // background) or 68 x 6868 (a knob strip); an image larger than these
    // bounds is refused before anything is decoded, as one that is missing.
    static constexpr int maxSide = 16384;
    static constexpr long long maxPixels = 1LL << 23;
    // What a whole skin may hold at its scale: five times what the shipped
    // skins take at 200 % (3.1 million pixels), so that a skin of images at
    // the bounds above still opens in about a second.
    static constexpr long long maxSkinPixels = 1LL << 24;
    // Whether path holds a PNG whose declared size is within the bounds.
    static bool acceptable(const std::string& path);

    const std::string fileName;

    struct Image; // the platform's image
    Image* image() const { return pixels.get(); }

private:
    // The platform's halves of load: decoding the file into pixels made at
    // the scale (false when it cannot), and letting the pixels go.
    bool decode(const std::string& path, int density, int scale);
    void release();
    // The brightness of heldWidth x heldHeight premultiplied ARGB pixels,
    // rows stride bytes apart, for the platform's decode to keep.
    int brightnessOf(const unsigned char* rows, int stride) const;
    // Takes a file's size: false when it is no whole number of layout pixels.
    bool takeSize(int fileWidth, int fileHeight, int density, int scale);
    // The pixels path's image would hold at the scale, from its declared
    // size; -1 when it is not acceptable.
    static long long heldPixels(const std::string& path, int density, int scale);

    std::unique_ptr<Image> pixels;
    int imageWidth = 0;
    int imageHeight = 0;
    int heldWidth = 0;
    int heldHeight = 0;
    bool wholePixels = false;
    int meanBrightness = -1;
};

} // namespace Framework
