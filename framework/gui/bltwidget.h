// A widget drawn from a skin image whose frames or states are stacked in one
// strip.
#pragma once

#include "widget.h"

namespace Framework {

class Skinbitmap;

class Bltwidget : public Widget {
public:
    Bltwidget(int width, int height, Skinbitmap* bitmap) : Widget(width, height), bitmap(bitmap) {}

    Skinbitmap* const bitmap; // not owned

protected:
    // The image's height; 0 without an image.
    int bitmapHeight() const;
    // Blends a cell of the image; see blendCell.
    void blendPart(Window& surface, int sourceX, int sourceY, int w, int h, int x, int y) const;
};

} // namespace Framework
