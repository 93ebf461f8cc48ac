// The editor window on Windows: a child of the host's window, a GDI back
// buffer that everything is drawn into, AlphaBlend for images and GDI+ for
// fills and anti-aliased lines. One BitBlt per WM_PAINT shows the buffer.
#include "framework/gui/window.h"

#include "framework/gui/redrawrecord.h"
#include "framework/gui/skinbitmap.h"
#include "framework/gui/systemmenu.h"
#include "gdiplussession.h"
#include "menuregistry.h"
#include "win32image.h"
#include "windowclass.h"

#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <atomic>
#include <vector>

namespace Framework {

namespace Gdip = Gdiplus::DllExports;

struct Window::Native {
    // Read by any thread (isVisible, invalidate); cleared before the window
    // is destroyed, or when the host destroys it with its own window.
    std::atomic<HWND> hwnd{nullptr};
    // The drawing objects exist from open to close.
    HDC backDC = nullptr;
    HDC sourceDC = nullptr;
    HBITMAP backBitmap = nullptr;
    HGDIOBJ oldBackBitmap = nullptr;
    Gdiplus::GpPen* pen = nullptr;
    // Made by a GDI+ drawing and deleted by it after use.
    Gdiplus::GpGraphics* graphics = nullptr;
    bool clipped = false;
    RECT clip{};
    Gdiplussession gdiplus;
    // Other threads neither invalidate nor ask the window system: they add
    // their rectangle to a record that the window's timer hands on, and read
    // the visibility the timer last saw.
    std::atomic<DWORD> thread{0};
    Redrawrecord otherThreads;
    std::atomic<bool> shown{false};
};

namespace {

// The timer that hands other threads' redraw requests on, about 60 times a
// second.
constexpr UINT_PTR repaintTimer = 1;
constexpr UINT repaintPeriod = 16;

// Invalidates what other threads asked for since the last tick.
LRESULT repaintTick(HWND hwnd, Window::Native& n)
{
    const bool visible = IsWindowVisible(hwnd);
    n.shown = visible;
    Redrawrecord::Area area{};
    if (n.otherThreads.take(area) && visible) {
        const RECT r = {area.left, area.top, area.right, area.bottom};
        InvalidateRect(hwnd, &r, FALSE);
    }
    return 0;
}

// A GDI+ Graphics on the back buffer for one drawing, smoothed and clipped
// as GDI is; deleted when the drawing is done.
class Graphicsuse {
public:
    explicit Graphicsuse(Window::Native& n) : n(n)
    {
        if (Gdip::GdipCreateFromHDC(n.backDC, &n.graphics) != Gdiplus::Ok) {
            n.graphics = nullptr;
            return;
        }
        Gdip::GdipSetSmoothingMode(n.graphics, Gdiplus::SmoothingModeHighQuality);
        if (n.clipped)
            Gdip::GdipSetClipRectI(n.graphics, n.clip.left, n.clip.top, n.clip.right - n.clip.left,
                                   n.clip.bottom - n.clip.top, Gdiplus::CombineModeReplace);
    }
    ~Graphicsuse()
    {
        if (n.graphics)
            Gdip::GdipDeleteGraphics(n.graphics);
        n.graphics = nullptr;
    }
    Graphicsuse(const Graphicsuse&) = delete;
    Graphicsuse& operator=(const Graphicsuse&) = delete;

    Gdiplus::GpGraphics* graphics() const { return n.graphics; }

private:
    Window::Native& n;
};

// The part of a w x h rectangle at (x, y) of an image that lies inside it;
// AlphaBlend refuses a source rectangle that reaches outside its bitmap.
bool insideImage(const Skinbitmap& image, int& x, int& y, int& w, int& h, int& toX, int& toY)
{
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, image.deviceWidth()), bottom = std::min(y + h, image.deviceHeight());
    if (right <= left || bottom <= top)
        return false;
    toX += left - x;
    toY += top - y;
    x = left;
    y = top;
    w = right - left;
    h = bottom - top;
    return true;
}

LRESULT paintMessage(HWND hwnd, Window& window)
{
    PAINTSTRUCT paintstruct;
    HDC paintDC = BeginPaint(hwnd, &paintstruct);
    const RECT& r = paintstruct.rcPaint;
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    window.coverInLayout(x, y, w, h);
    window.paint(x, y, w, h);
    BitBlt(paintDC, 0, 0, window.deviceWidth(), window.deviceHeight(), window.native().backDC, 0, 0, SRCCOPY);
    EndPaint(hwnd, &paintstruct);
    return 0;
}

// Only a menu this module made is acted on: another's item data means nothing here.
LRESULT menuCommand(WPARAM position, LPARAM menu)
{
    if (Systemmenu* made = madeMenu(reinterpret_cast<HMENU>(menu)))
        made->select(static_cast<int>(position));
    return 1;
}

LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // The pointer as it is now, not as the message saw it.
    POINT p = {};
    GetCursorPos(&p);
    ScreenToClient(hwnd, &p);
    const bool shift = (wParam & MK_SHIFT) != 0;
    const bool control = (wParam & MK_CONTROL) != 0;
    using M = Window::Mousemessage;
    auto mouse = [&](M m) {
        window->mouseMessage(m, p.x, p.y, shift, control);
        return LRESULT{0};
    };
    switch (message) {
    case WM_PAINT:
        return paintMessage(hwnd, *window);
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam != repaintTimer)
            break;
        window->timerTick();
        return repaintTick(hwnd, window->native());
    case WM_MOUSEWHEEL: {
        // The message carries the pointer in screen coordinates.
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd, &at);
        const WORD keys = GET_KEYSTATE_WPARAM(wParam);
        window->wheelMessage(at.x, at.y, GET_WHEEL_DELTA_WPARAM(wParam), (keys & MK_SHIFT) != 0,
                             (keys & MK_CONTROL) != 0);
        return 0;
    }
    case WM_MENUCOMMAND:
        return menuCommand(wParam, lParam);
    case WM_MOUSEMOVE:
        // A move with no button down never drags, even when the release
        // went to another window.
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON)))
            window->captureLost();
        return mouse(M::move);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            window->captureLost();
        return 0;
    case WM_CANCELMODE:
        window->captureLost();
        break;
    case WM_LBUTTONDOWN:
        return mouse(M::leftDown);
    case WM_LBUTTONUP:
        return mouse(M::leftUp);
    case WM_LBUTTONDBLCLK:
        return mouse(M::leftDouble);
    case WM_RBUTTONDOWN:
        return mouse(M::rightDown);
    case WM_RBUTTONUP:
        return mouse(M::rightUp);
    case WM_RBUTTONDBLCLK:
        return mouse(M::rightDouble);
    case WM_NCDESTROY:
        // The host destroyed its window, and this one with it, before
        // closing the editor: the handle must not be used again.
        window->native().hwnd = nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// No exception may unwind into the system's message loop: a message whose
// handling failed gets the default handling.
LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return handleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
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

bool Window::openNative(void* parent)
{
    Native& n = *nativePart;
    if (!n.gdiplus.started()) {
        if (!n.gdiplus.start())
            MessageBoxA(nullptr, "Error", "Error", MB_OK);
        else
            graphicsReady();
    }
    if (!Windowclass::acquire(windowProcedure))
        return false;
    HWND hwnd =
        CreateWindowExA(0, Windowclass::name, "----", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, deviceWidth(),
                        deviceHeight(), static_cast<HWND>(parent), nullptr, Windowclass::module(), nullptr);
    if (!hwnd) {
        Windowclass::release();
        return false;
    }
    // The window's DC serves only to make the compatible ones.
    HDC windowDC = GetDC(hwnd);
    n.backDC = CreateCompatibleDC(windowDC);
    n.backBitmap = CreateCompatibleBitmap(windowDC, deviceWidth(), deviceHeight());
    n.oldBackBitmap = SelectObject(n.backDC, n.backBitmap);
    n.sourceDC = CreateCompatibleDC(windowDC);
    ReleaseDC(hwnd, windowDC);
    Gdip::GdipCreatePen1(fillColour, 1.0f, Gdiplus::UnitWorld, &n.pen);
    n.clipped = false;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    n.thread = GetCurrentThreadId();
    n.otherThreads.clear();
    n.shown = IsWindowVisible(hwnd) != FALSE;
    SetTimer(hwnd, repaintTimer, repaintPeriod, nullptr);
    n.hwnd = hwnd;
    return true;
}

void Window::closeNative()
{
    Native& n = *nativePart;
    // Other threads stop reaching the window before it goes.
    HWND hwnd = n.hwnd.exchange(nullptr);
    if (hwnd) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
    Windowclass::release();
    if (n.pen)
        Gdip::GdipDeletePen(n.pen);
    n.pen = nullptr;
    SelectObject(n.backDC, n.oldBackBitmap);
    DeleteObject(n.backBitmap);
    DeleteDC(n.backDC);
    DeleteDC(n.sourceDC);
    n.backDC = n.sourceDC = nullptr;
    n.backBitmap = nullptr;
    n.oldBackBitmap = nullptr;
}

void Window::resizeNative()
{
    Native& n = *nativePart;
    HWND hwnd = n.hwnd.load();
    if (!hwnd)
        return;
    HDC windowDC = GetDC(hwnd);
    HBITMAP bigger = CreateCompatibleBitmap(windowDC, deviceWidth(), deviceHeight());
    ReleaseDC(hwnd, windowDC);
    if (bigger) {
        SelectObject(n.backDC, bigger);
        DeleteObject(n.backBitmap);
        n.backBitmap = bigger;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, deviceWidth(), deviceHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Window::screenDpi(void* parent)
{
    // Windows 10 1607 and later know each window's density.
    using Windowdpi = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<Windowdpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (parent && dpiForWindow)
        if (const UINT dpi = dpiForWindow(static_cast<HWND>(parent)))
            return static_cast<int>(dpi);
    HDC screen = GetDC(static_cast<HWND>(parent));
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    ReleaseDC(static_cast<HWND>(parent), screen);
    return dpi > 0 ? dpi : 96;
}

bool Window::isVisible() const
{
    const Native& n = *nativePart;
    HWND hwnd = n.hwnd.load();
    if (!hwnd)
        return false;
    return GetCurrentThreadId() == n.thread ? IsWindowVisible(hwnd) != FALSE : n.shown.load();
}

void* Window::handle() const
{
    return nativePart->hwnd.load();
}

void Window::copyDevice(const Skinbitmap& image, int x, int y, int w, int h)
{
    Native& n = *nativePart;
    int toX = x, toY = y;
    if (!isOpen() || image.empty() || !insideImage(image, x, y, w, h, toX, toY))
        return;
    HGDIOBJ saved = SelectObject(n.sourceDC, image.image()->bitmap);
    BitBlt(n.backDC, toX, toY, w, h, n.sourceDC, x, y, SRCCOPY);
    SelectObject(n.sourceDC, saved);
}

void Window::blendDevice(const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y)
{
    Native& n = *nativePart;
    if (!isOpen() || image.empty() || !insideImage(image, sourceX, sourceY, w, h, x, y))
        return;
    const BLENDFUNCTION perPixel = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    HGDIOBJ saved = SelectObject(n.sourceDC, image.image()->bitmap);
    AlphaBlend(n.backDC, x, y, w, h, n.sourceDC, sourceX, sourceY, w, h, perPixel);
    SelectObject(n.sourceDC, saved);
}

void Window::fillDevice(int x, int y, int w, int h)
{
    Native& n = *nativePart;
    if (!isOpen() || w <= 0 || h <= 0)
        return;
    const Graphicsuse use(n);
    Gdiplus::GpSolidFill* brush = nullptr;
    if (!use.graphics() || Gdip::GdipCreateSolidFill(fillColour, &brush) != Gdiplus::Ok)
        return;
    Gdip::GdipFillRectangleI(use.graphics(), brush, x, y, w, h);
    Gdip::GdipDeleteBrush(brush);
}

// Our points have GDI+'s layout: two floats.
static_assert(sizeof(Point) == sizeof(Gdiplus::GpPointF) && offsetof(Gdiplus::GpPointF, Y) == offsetof(Point, y),
              "a Point must be a GDI+ point");

void Window::drawLines(const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    Native& n = *nativePart;
    if (!isOpen() || !n.pen)
        return;
    const Graphicsuse use(n);
    if (!use.graphics())
        return;
    Gdip::GdipSetPenColor(n.pen, argb);
    Gdip::GdipSetPenWidth(n.pen, lineWidth);
    Gdip::GdipDrawLines(use.graphics(), n.pen, reinterpret_cast<const Gdiplus::GpPointF*>(points), count);
}

void Window::fillPolygon(const Point* points, int count, std::uint32_t argb)
{
    const Graphicsuse use(*nativePart);
    Gdiplus::GpSolidFill* brush = nullptr;
    if (!use.graphics() || Gdip::GdipCreateSolidFill(argb, &brush) != Gdiplus::Ok)
        return;
    Gdip::GdipFillPolygon(use.graphics(), brush, reinterpret_cast<const Gdiplus::GpPointF*>(points), count,
                          Gdiplus::FillModeAlternate);
    Gdip::GdipDeleteBrush(brush);
}

void Window::applyClip(bool on, int x, int y, int w, int h)
{
    Native& n = *nativePart;
    if (!isOpen())
        return;
    n.clipped = on;
    SelectClipRgn(n.backDC, nullptr);
    if (!on)
        return;
    n.clip = {x, y, x + w, y + h};
    IntersectClipRect(n.backDC, n.clip.left, n.clip.top, n.clip.right, n.clip.bottom);
}

// Any thread: no lock, no drawing, no allocation. On other threads not even
// a call into the window system, which may wait for its server.
void Window::invalidate(int x, int y, int w, int h)
{
    Native& n = *nativePart;
    HWND hwnd = n.hwnd.load();
    if (!hwnd || w <= 0 || h <= 0)
        return;
    deviceRect(x, y, w, h);
    const RECT area = {std::max(x, 0), std::max(y, 0), std::min(x + w, deviceWidth()), std::min(y + h, deviceHeight())};
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    if (GetCurrentThreadId() == n.thread) {
        if (IsWindowVisible(hwnd))
            InvalidateRect(hwnd, &area, FALSE);
        return;
    }
    n.otherThreads.add({area.left, area.top, area.right, area.bottom});
}

void Window::captureMouse()
{
    if (HWND hwnd = nativePart->hwnd.load())
        SetCapture(hwnd);
}

void Window::releaseMouse()
{
    HWND hwnd = nativePart->hwnd.load();
    if (hwnd && GetCapture() == hwnd)
        ReleaseCapture();
}

} // namespace Framework
