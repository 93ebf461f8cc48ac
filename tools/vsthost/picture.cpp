#include "picture.h"

#include <gdiplus.h>

#include <cstring>

namespace {

namespace Gdip = Gdiplus::DllExports;

// GDI+ started for the length of one call.
class Gdiplusscope {
public:
    Gdiplusscope()
    {
        const Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
            token = 0;
    }
    ~Gdiplusscope()
    {
        if (token)
            Gdiplus::GdiplusShutdown(token);
    }
    Gdiplusscope(const Gdiplusscope&) = delete;
    Gdiplusscope& operator=(const Gdiplusscope&) = delete;
    explicit operator bool() const { return token != 0; }

private:
    ULONG_PTR token = 0;
};

std::wstring wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring converted(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &converted[0], length);
    return converted;
}

// GDI+'s PNG encoder.
const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

} // namespace

Picture::Picture(int width, int height, std::uint32_t fill)
    : w(width), h(height), pixels(static_cast<std::size_t>(width) * height, fill)
{
}

Picture Picture::capture(HWND window)
{
    RECT client = {};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return {};
    Picture picture(client.right, client.bottom);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.w;
    info.bmiHeader.biHeight = -picture.h; // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (section && bits) {
        HGDIOBJ old = SelectObject(memoryDC, section);
        copied = BitBlt(memoryDC, 0, 0, picture.w, picture.h, windowDC, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        if (copied)
            std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(std::uint32_t));
        SelectObject(memoryDC, old);
    }
    if (section)
        DeleteObject(section);
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    if (!copied)
        return {};
    for (std::uint32_t& pixel : picture.pixels)
        pixel |= 0xFF000000u;
    return picture;
}

Picture Picture::load(const std::string& path)
{
    const Gdiplusscope gdiplus;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (!gdiplus || Gdip::GdipCreateBitmapFromFile(wide(path).c_str(), &bitmap) != Gdiplus::Ok || !bitmap)
        return {};
    UINT width = 0, height = 0;
    Gdip::GdipGetImageWidth(bitmap, &width);
    Gdip::GdipGetImageHeight(bitmap, &height);
    Picture picture(static_cast<int>(width), static_cast<int>(height));
    const Gdiplus::GpRect all(0, 0, picture.w, picture.h);
    Gdiplus::BitmapData data = {};
    const bool read = !picture.empty() && Gdip::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead,
                                                                   PixelFormat32bppARGB, &data) == Gdiplus::Ok;
    if (read) {
        for (int y = 0; y < picture.h; ++y)
            std::memcpy(&picture.at(0, y), static_cast<const char*>(data.Scan0) + y * data.Stride,
                        static_cast<std::size_t>(picture.w) * sizeof(std::uint32_t));
        Gdip::GdipBitmapUnlockBits(bitmap, &data);
    }
    Gdip::GdipDisposeImage(bitmap);
    return read ? picture : Picture();
}

bool Picture::save(const std::string& path) const
{
    const Gdiplusscope gdiplus;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (!gdiplus || empty() ||
        Gdip::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.data())),
                                        &bitmap) != Gdiplus::Ok)
        return false;
    const bool saved = Gdip::GdipSaveImageToFile(bitmap, wide(path).c_str(), &pngEncoder, nullptr) == Gdiplus::Ok;
    Gdip::GdipDisposeImage(bitmap);
    return saved;
}
