// The headless editor window as tests and tools drive it: paints that the
// window system would send, what was invalidated, and the pixels shown.
#pragma once

#include "framework/gui/window.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace Framework::Headless {

struct Rect {
    int x, y, w, h;
};

// A parent handle for Window::open; the headless window needs no real one.
void* parentWindow();

// The density Window::screenDpi answers, as a test sets it; 96 at first.
extern std::atomic<int> screenDpi;

// Shows or hides an open window, as a host hides its editor's frame.
void setHidden(Window& window, bool hidden);

// Paints what was invalidated since the last paint, as WM_PAINT would: the
// window paints the bounding rectangle into its back buffer, which is then
// copied to the screen inside that rectangle. False when nothing was
// invalid or the window is not visible.
bool paintPending(Window& window);
// Invalidates the whole window and paints it.
void paintAll(Window& window);

// The rectangles invalidated since the last call, oldest first.
std::vector<Rect> takeInvalidated(Window& window);

// Whether the window holds the system's mouse capture.
bool holdsCapture(const Window& window);

// A pixel of what the screen shows (premultiplied ARGB), in device pixels;
// 0 outside.
std::uint32_t screenPixel(const Window& window, int x, int y);
// A pixel of the back buffer, in device pixels.
std::uint32_t backPixel(const Window& window, int x, int y);
// Writes what the screen shows as a PNG; false when it could not.
bool writeScreen(const Window& window, const std::string& path);

} // namespace Framework::Headless
