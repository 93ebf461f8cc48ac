// Text drawn from a skin image: a single row of glyph cells, one per
// character code from the space (32) on, each glyphWidth pixels wide and as
// high as the image.
#pragma once

#include "resource.h"

#include <string>

namespace Framework {

class Skinbitmap;
class Window;

class Pixelfont : public Resource {
public:
    // The glyphs are pixel art: enlarged, they keep whole pixels.
    Pixelfont(Skinbitmap* bitmap, int glyphWidth);

    // The line height: the image's height, 0 without an image.
    int glyphHeight() const;

    Skinbitmap* const bitmap; // not owned
    const int glyphWidth;
};

// Draws at most maxChars characters of text at (x, y) within a field
// maxChars cells wide: alignment 0 centres the text, 2 aligns it right,
// anything else left. Characters are signed 8-bit codes; one without a cell
// in the image draws nothing but still takes its place.
void drawText(const std::string& text, const Pixelfont& font, Window& surface, int x, int y, int maxChars,
              int alignment);

} // namespace Framework
