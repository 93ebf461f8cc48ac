// The editor window without a window system: a Cairo back buffer and a
// second image for what the screen shows, driven by the calls of screen.h.
#include "framework/gui/window.h"

#include "framework/gui/cairo/cairodrawing.h"
#include "framework/gui/skinbitmap.h"
#include "entryboxes.h"
#include "headlessimage.h"
#include "screen.h"

#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace Framework {

struct Window::Native {
    cairo_surface_t* back = nullptr;
    cairo_surface_t* screen = nullptr;
    cairo_t* draw = nullptr;
    std::atomic<bool> hidden{false};
    bool graphicsStarted = false;
    bool captured = false;
    // Invalidation may come from any thread; the record is the test's.
    std::mutex invalidLock;
    std::vector<Headless::Rect> invalidated;
    bool invalid = false;
    Headless::Rect invalidArea{0, 0, 0, 0};
};

namespace {

std::uint32_t pixelOf(cairo_surface_t* surface, int x, int y)
{
    if (!surface || x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
        y >= cairo_image_surface_get_height(surface))
        return 0;
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

void freeSurfaces(Window::Native& n)
{
    cairo_destroy(n.draw);
    cairo_surface_destroy(n.back);
    cairo_surface_destroy(n.screen);
    n.draw = nullptr;
    n.back = n.screen = nullptr;
}

void makeSurfaces(Window::Native& n, int width, int height)
{
    n.back = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    n.screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    n.draw = cairo_create(n.back);
}

} // namespace

std::unique_ptr<Window::Native, Window::Nativedeleter> Window::makeNative()
{
    return std::unique_ptr<Native, Nativedeleter>(new Native);
}

void Window::Nativedeleter::operator()(Native* native) const
{
    delete native;
}

bool Window::openNative(void* /*parent*/)
{
    Native& n = *nativePart;
    n.hidden = false;
    makeSurfaces(n, deviceWidth(), deviceHeight());
    if (!n.graphicsStarted) {
        n.graphicsStarted = true;
        graphicsReady();
    }
    return true;
}

void Window::closeNative()
{
    Native& n = *nativePart;
    // As the window system does, the child boxes go with the window.
    Headless::destroyBoxesOver(*this);
    freeSurfaces(n);
    n.captured = false;
    const std::lock_guard<std::mutex> hold(n.invalidLock);
    n.invalid = false;
}

void Window::resizeNative()
{
    freeSurfaces(*nativePart);
    makeSurfaces(*nativePart, deviceWidth(), deviceHeight());
}

// The headless twins run no loops of their own within a message.
void Window::afterMessages(std::function<void()> job)
{
    job();
}

int Window::screenDpi(void* /*parent*/)
{
    return Headless::screenDpi.load();
}

// No keyboard: a key's modifiers are those the host tells of.
void Window::heldModifiers(bool& shift, bool& control) const
{
    shift = control = false;
}

bool Window::isVisible() const
{
    return opened && !nativePart->hidden;
}

void* Window::handle() const
{
    return opened ? nativePart.get() : nullptr;
}

void Window::copyDevice(const Skinbitmap& image, int x, int y, int w, int h)
{
    Cairodrawing::copy(nativePart->draw, image, x, y, w, h);
}

void Window::blendDevice(const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y)
{
    Cairodrawing::blend(nativePart->draw, image, sourceX, sourceY, w, h, x, y);
}

void Window::fillDevice(int x, int y, int w, int h)
{
    Cairodrawing::fill(nativePart->draw, fillColour, x, y, w, h);
}

void Window::drawLines(const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    Cairodrawing::lines(nativePart->draw, points, count, argb, lineWidth);
}

// Cairo's smoothed stroke costs a graph no more than any line.
void Window::drawGraph(const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    drawLines(points, count, argb, lineWidth);
}

void Window::fillUnder(const Point* points, int count, float baseY, std::uint32_t argb)
{
    Cairodrawing::fillUnder(nativePart->draw, points, count, baseY, argb);
}

void Window::applyClip(bool on, int x, int y, int w, int h)
{
    Cairodrawing::clip(nativePart->draw, on, x, y, w, h);
}

void Window::invalidate(int x, int y, int w, int h)
{
    Native& n = *nativePart;
    if (!isVisible() || w <= 0 || h <= 0)
        return;
    const std::lock_guard<std::mutex> hold(n.invalidLock);
    n.invalidated.push_back({x, y, w, h});
    if (!n.invalid) {
        n.invalidArea = {x, y, w, h};
    } else {
        Headless::Rect& a = n.invalidArea;
        const int right = std::max(a.x + a.w, x + w), bottom = std::max(a.y + a.h, y + h);
        a.x = std::min(a.x, x);
        a.y = std::min(a.y, y);
        a.w = right - a.x;
        a.h = bottom - a.y;
    }
    n.invalid = true;
}

void Window::captureMouse()
{
    nativePart->captured = true;
}

void Window::releaseMouse()
{
    nativePart->captured = false;
}

namespace Headless {

std::atomic<int> screenDpi{96};

void* parentWindow()
{
    static char parent;
    return &parent;
}

void setHidden(Window& window, bool hidden)
{
    window.native().hidden = hidden;
}

bool paintPending(Window& window)
{
    Window::Native& n = window.native();
    Rect area{};
    {
        const std::lock_guard<std::mutex> hold(n.invalidLock);
        if (!n.invalid || !window.isVisible())
            return false;
        n.invalid = false;
        // Windows clips the update region to the client area.
        area.x = std::max(n.invalidArea.x, 0);
        area.y = std::max(n.invalidArea.y, 0);
        area.w = std::min(n.invalidArea.x + n.invalidArea.w, window.width()) - area.x;
        area.h = std::min(n.invalidArea.y + n.invalidArea.h, window.height()) - area.y;
    }
    if (area.w <= 0 || area.h <= 0)
        return false;
    window.paint(area.x, area.y, area.w, area.h);
    cairo_surface_flush(n.back);
    cairo_t* cr = cairo_create(n.screen);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, n.back, 0, 0);
    const int left = window.toDevice(area.x), top = window.toDevice(area.y);
    cairo_rectangle(cr, left, top, window.toDevice(area.x + area.w) - left, window.toDevice(area.y + area.h) - top);
    cairo_fill(cr);
    cairo_destroy(cr);
    return true;
}

void paintAll(Window& window)
{
    window.invalidate(0, 0, window.width(), window.height());
    paintPending(window);
}

std::vector<Rect> takeInvalidated(Window& window)
{
    Window::Native& n = window.native();
    const std::lock_guard<std::mutex> hold(n.invalidLock);
    std::vector<Rect> taken;
    taken.swap(n.invalidated);
    return taken;
}

bool holdsCapture(const Window& window)
{
    return window.native().captured;
}

std::uint32_t screenPixel(const Window& window, int x, int y)
{
    return pixelOf(window.native().screen, x, y);
}

std::uint32_t backPixel(const Window& window, int x, int y)
{
    return pixelOf(window.native().back, x, y);
}

bool writeScreen(const Window& window, const std::string& path)
{
    cairo_surface_t* screen = window.native().screen;
    return screen && cairo_surface_write_to_png(screen, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace Headless
} // namespace Framework
