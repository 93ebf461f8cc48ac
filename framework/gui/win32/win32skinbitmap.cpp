#include "framework/gui/skinbitmap.h"

#include "gdiplussession.h"
#include "win32image.h"

#include "framework/platform/nativepath.h"

#include <gdiplus.h>

#include <cstdlib>

namespace Framework {

namespace {

namespace Gdip = Gdiplus::DllExports;

// The GDI+ bitmap of a file; null when it cannot be decoded.
Gdiplus::GpBitmap* open(const std::string& path)
{
    Gdiplus::GpBitmap* decoded = nullptr;
    if (Gdip::GdipCreateBitmapFromFileICM(nativePath(path).c_str(), &decoded) != Gdiplus::Ok)
        return nullptr;
    return decoded;
}

// The image redrawn at width x height: smoothly, or by whole pixels; the
// edges repeat outward so that they do not fade. Null when it fails.
Gdiplus::GpBitmap* resample(Gdiplus::GpBitmap* image, int width, int height, bool wholePixels)
{
    UINT fromWidth = 0, fromHeight = 0;
    Gdip::GdipGetImageWidth(image, &fromWidth);
    Gdip::GdipGetImageHeight(image, &fromHeight);
    Gdiplus::GpBitmap* made = nullptr;
    if (Gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &made) != Gdiplus::Ok)
        return nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    Gdiplus::GpImageAttributes* edges = nullptr;
    bool drawn = Gdip::GdipGetImageGraphicsContext(made, &graphics) == Gdiplus::Ok &&
                 Gdip::GdipCreateImageAttributes(&edges) == Gdiplus::Ok;
    if (drawn) {
        Gdip::GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceCopy);
        Gdip::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
        Gdip::GdipSetInterpolationMode(graphics, wholePixels ? Gdiplus::InterpolationModeNearestNeighbor
                                                             : Gdiplus::InterpolationModeHighQualityBicubic);
        Gdip::GdipSetImageAttributesWrapMode(edges, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
        drawn = Gdip::GdipDrawImageRectRectI(graphics, image, 0, 0, width, height, 0, 0, static_cast<INT>(fromWidth),
                                             static_cast<INT>(fromHeight), Gdiplus::UnitPixel, edges, nullptr,
                                             nullptr) == Gdiplus::Ok;
    }
    if (edges)
        Gdip::GdipDisposeImageAttributes(edges);
    if (graphics)
        Gdip::GdipDeleteGraphics(graphics);
    if (!drawn) {
        Gdip::GdipDisposeImage(made);
        return nullptr;
    }
    return made;
}

// A premultiplied GDI bitmap on a transparent black ground; null on failure.
HBITMAP toGdi(Gdiplus::GpBitmap* image)
{
    HBITMAP bitmap = nullptr;
    if (Gdip::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0x00000000) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

} // namespace

Skinbitmap::Skinbitmap(std::string fileName) : fileName(std::move(fileName)) {}

Skinbitmap::~Skinbitmap() = default;

void Skinbitmap::release()
{
    pixels.reset();
}

// GDI+ decodes only between its start and its shutdown.
bool Skinbitmap::decode(const std::string& path, int density, int scale)
{
    if (!Gdiplussession::anyRunning())
        return false;
    Gdiplus::GpBitmap* decoded = open(path);
    if (!decoded)
        return false;
    UINT width = 0, height = 0;
    HBITMAP bitmap = nullptr;
    if (Gdip::GdipGetImageWidth(decoded, &width) == Gdiplus::Ok &&
        Gdip::GdipGetImageHeight(decoded, &height) == Gdiplus::Ok &&
        takeSize(static_cast<int>(width), static_cast<int>(height), density, scale)) {
        if (heldWidth == static_cast<int>(width) && heldHeight == static_cast<int>(height)) {
            bitmap = toGdi(decoded);
        } else if (Gdiplus::GpBitmap* scaled = resample(decoded, heldWidth, heldHeight, wholePixels)) {
            bitmap = toGdi(scaled);
            Gdip::GdipDisposeImage(scaled);
        }
    }
    Gdip::GdipDisposeImage(decoded);
    if (!bitmap)
        return false;
    DIBSECTION section = {};
    if (wholePixels && GetObjectA(bitmap, sizeof section, &section) == sizeof section && section.dsBm.bmBits &&
        section.dsBm.bmBitsPixel == 32 && section.dsBm.bmWidth == heldWidth &&
        std::abs(section.dsBm.bmHeight) == heldHeight) {
        GdiFlush();
        meanBrightness =
            brightnessOf(static_cast<const unsigned char*>(section.dsBm.bmBits), section.dsBm.bmWidthBytes);
    }
    pixels = std::make_unique<Image>(bitmap);
    return true;
}

} // namespace Framework
