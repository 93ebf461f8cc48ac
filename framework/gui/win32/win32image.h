// A skin image on Windows: a 32-bit GDI bitmap with premultiplied alpha, as
// AlphaBlend takes it. The GDI+ bitmap it was decoded into is not kept, so
// nothing of GDI+ outlives the session that loaded it.
#pragma once

#include "framework/gui/skinbitmap.h"

#include <windows.h>

namespace Framework {

struct Skinbitmap::Image {
    explicit Image(HBITMAP bitmap) : bitmap(bitmap) {}
    ~Image() { DeleteObject(bitmap); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    const HBITMAP bitmap;
};

} // namespace Framework
