#include "framework/gui/skinbitmap.h"

#include "gdiplussession.h"
#include "win32image.h"

#include <gdiplus.h>

#include <vector>

namespace Framework {

namespace {

namespace Gdip = Gdiplus::DllExports;

// The bitmap of a PNG file, premultiplied on a transparent black ground; null
// when the file cannot be decoded.
HBITMAP decode(const std::string& path, UINT& width, UINT& height)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    std::vector<wchar_t> widePath(static_cast<std::size_t>(length) + 1, L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), length) <= 0)
        return nullptr;
    Gdiplus::GpBitmap* decoded = nullptr;
    if (Gdip::GdipCreateBitmapFromFileICM(widePath.data(), &decoded) != Gdiplus::Ok || !decoded)
        return nullptr;
    HBITMAP bitmap = nullptr;
    const bool converted = Gdip::GdipCreateHBITMAPFromBitmap(decoded, &bitmap, 0x00000000) == Gdiplus::Ok &&
                           Gdip::GdipGetImageWidth(decoded, &width) == Gdiplus::Ok &&
                           Gdip::GdipGetImageHeight(decoded, &height) == Gdiplus::Ok && width > 0 && height > 0;
    Gdip::GdipDisposeImage(decoded);
    if (!converted && bitmap) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return converted ? bitmap : nullptr;
}

} // namespace

Skinbitmap::Skinbitmap(std::string fileName) : fileName(std::move(fileName)) {}

Skinbitmap::~Skinbitmap() = default;

bool Skinbitmap::load(const std::string& path)
{
    pixels.reset();
    imageWidth = imageHeight = 0;
    if (!acceptable(path))
        return false;
    // GDI+ decodes only between its start and its shutdown.
    if (!Gdiplussession::anyRunning())
        return false;
    UINT width = 0, height = 0;
    HBITMAP bitmap = decode(path, width, height);
    if (!bitmap)
        return false;
    pixels = std::make_unique<Image>(bitmap);
    imageWidth = static_cast<int>(width);
    imageHeight = static_cast<int>(height);
    return true;
}

} // namespace Framework
