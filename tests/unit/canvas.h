// Drawing targets for widget tests: an open headless window whose back
// buffer is read pixel by pixel, and skin images made pixel by pixel.
#pragma once

#include "framework/gui/skinbitmap.h"
#include "framework/gui/window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Canvas : public Framework::Window {
public:
    Canvas(int width, int height);
    void paint(int&, int&, int&, int&) override {}
    void mouse(int&, int&, int&, bool&) override {}
    // What the widgets told the user, last.
    void tell(const std::string& text) override { told = text; }
    std::string told;

    // A back-buffer pixel, premultiplied ARGB.
    std::uint32_t pixel(int x, int y) const;
    // Fills the whole back buffer with an opaque colour.
    void clear(std::uint32_t argb);
};

// Writes a w x h PNG whose pixels are opaque colours, or 0 for transparent.
bool writePng(const std::string& path, int w, int h, const std::function<std::uint32_t(int x, int y)>& colourAt);

// The largest difference between two colours in any one channel.
int channelDistance(std::uint32_t a, std::uint32_t b);

// Such an image written in folder and loaded as a skin image.
std::unique_ptr<Framework::Skinbitmap> makeImage(const std::string& folder, int w, int h,
                                                 const std::function<std::uint32_t(int x, int y)>& colourAt);
