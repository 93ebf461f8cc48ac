// The editor window on Windows: a child of the host's window, a GDI back
// buffer (a DIB section) that everything is drawn into, AlphaBlend for images,
// GDI+ for fills and anti-aliased lines, and the buffer's own pixels for
// graphs and the fills under them. One BitBlt per WM_PAINT shows the buffer.
#include "framework/gui/window.h"

#include "framework/gui/graphcoverage.h"
#include "framework/gui/redrawlist.h"
#include "framework/gui/redrawrecord.h"
#include "framework/gui/skinbitmap.h"
#include "framework/gui/systemmenu.h"
#include "gdiplussession.h"
#include "menuregistry.h"
#include "win32image.h"
#include "windowclass.h"

#include <emmintrin.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
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
    // A DIB section, so that graphs are drawn straight into its pixels.
    HBITMAP backBitmap = nullptr;
    HGDIOBJ oldBackBitmap = nullptr;
    std::uint32_t* pixels = nullptr; // top row first
    // Graphs' points with pixel centres at halves, and a column's coverage.
    std::vector<Point> graph;
    std::vector<float> cover;
    std::vector<int> tops, bottoms; // a fill's rows per column
    Gdiplus::GpPen* pen = nullptr;
    // Made by a GDI+ drawing and deleted by it after use.
    Gdiplus::GpGraphics* graphics = nullptr;
    bool clipped = false;
    RECT clip{};
    Gdiplussession gdiplus;
    // No request asks the window system at once: each call is a round trip
    // to the window server under Wine. Other threads add their rectangle to
    // a record that the window's timer hands on; the window's own thread
    // adds to a list handed on after each message the window handles. Every
    // thread reads the visibility last seen (at open, every tick, paint and
    // hand-over).
    std::atomic<DWORD> thread{0};
    Redrawrecord otherThreads;
    Redrawlist ownThread;
    std::atomic<bool> shown{false};
    // The window asked to hear when the pointer leaves it.
    bool trackingLeave = false;
};

namespace {

// The timer that hands other threads' redraw requests on, about 60 times a
// second.
constexpr UINT_PTR repaintTimer = 1;
constexpr UINT repaintPeriod = 16;

// A device-sized 32-bit DIB section, top row first.
HBITMAP backBuffer(HDC dc, int width, int height, std::uint32_t*& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = bitmap ? static_cast<std::uint32_t*>(bits) : nullptr;
    return bitmap;
}

// A colour of non-premultiplied ARGB blended over pixels as GDI+ blends it,
// red and blue together, green apart.
class Paint {
public:
    explicit Paint(std::uint32_t argb)
        : redBlue(argb & 0xFF00FFu), green(argb & 0xFF00u), opacity(static_cast<float>(argb >> 24) * (256.0f / 255.0f))
    {
    }
    // The weight (0 to 256) of a pixel a share of which is covered.
    std::uint32_t weight(float coverage) const
    {
        return static_cast<std::uint32_t>(opacity * std::min(coverage, 1.0f) + 0.5f);
    }
    void over(std::uint32_t& pixel, std::uint32_t weight) const
    {
        const std::uint32_t rest = 256 - weight;
        const std::uint32_t rb = (redBlue * weight + (pixel & 0xFF00FFu) * rest) >> 8 & 0xFF00FFu;
        const std::uint32_t g = (green * weight + (pixel & 0xFF00u) * rest) >> 8 & 0xFF00u;
        pixel = (pixel & 0xFF000000u) | rb | g;
    }

private:
    const std::uint32_t redBlue, green;
    const float opacity;
};

void invalidateArea(HWND hwnd, const Redrawrecord::Area& area)
{
    const RECT r = {area.left, area.top, area.right, area.bottom};
    InvalidateRect(hwnd, &r, FALSE);
}

// Hands the window's own requests to the window system, when there are any.
void handOwnRequests(HWND hwnd, Window::Native& n)
{
    if (n.ownThread.count() == 0)
        return;
    const bool visible = IsWindowVisible(hwnd) != FALSE;
    n.shown = visible;
    for (int i = 0; visible && i < n.ownThread.count(); ++i)
        invalidateArea(hwnd, n.ownThread[i]);
    n.ownThread.clear();
}

// Invalidates what other threads asked for since the last tick.
LRESULT repaintTick(HWND hwnd, Window::Native& n)
{
    const bool visible = IsWindowVisible(hwnd);
    n.shown = visible;
    Redrawrecord::Area area{};
    if (n.otherThreads.take(area) && visible)
        invalidateArea(hwnd, area);
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
    window.native().shown = IsWindowVisible(hwnd) != FALSE;
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
    const bool alt = GetKeyState(VK_MENU) < 0;
    using M = Window::Mousemessage;
    auto mouse = [&](M m) {
        window->mouseMessage(m, p.x, p.y, shift, control, alt);
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
    case WM_KEYDOWN:
        // A letter's virtual key is its capital.
        if (wParam >= 'A' && wParam <= 'Z' &&
            window->keyMessage(static_cast<int>(wParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0))
            return 0;
        break;
    case WM_MOUSEMOVE:
        // A move with no button down never drags, even when the release
        // went to another window.
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON)))
            window->captureLost();
        // The system tells of the pointer leaving once per request.
        if (!window->native().trackingLeave) {
            TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
            window->native().trackingLeave = TrackMouseEvent(&leave) != FALSE;
        }
        return mouse(M::move);
    case WM_MOUSELEAVE:
        window->native().trackingLeave = false;
        window->pointerLeft();
        return 0;
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
// handling failed gets the default handling. The requests the message made,
// or that the window's thread made since the last one, go to the window
// system once, after it.
// How deep this thread is in messages of the module's windows, and what
// waits for the outermost to end.
thread_local int messageDepth = 0;
thread_local std::vector<std::function<void()>>* waitingJobs = nullptr;

void runWaitingJobs()
{
    std::vector<std::function<void()>>* jobs = waitingJobs;
    waitingJobs = nullptr;
    if (!jobs)
        return;
    for (auto& job : *jobs)
        try {
            job();
        } catch (...) {
        }
    delete jobs;
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    ++messageDepth;
    try {
        result = handleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        result = DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
        handOwnRequests(hwnd, window->native());
    // Last, once nothing below uses what a job may delete.
    if (--messageDepth == 0)
        runWaitingJobs();
    return result;
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
    n.backBitmap = backBuffer(windowDC, deviceWidth(), deviceHeight(), n.pixels);
    n.oldBackBitmap = SelectObject(n.backDC, n.backBitmap);
    n.sourceDC = CreateCompatibleDC(windowDC);
    ReleaseDC(hwnd, windowDC);
    Gdip::GdipCreatePen1(fillColour, 1.0f, Gdiplus::UnitWorld, &n.pen);
    n.clipped = false;
    n.trackingLeave = false;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    n.thread = GetCurrentThreadId();
    n.otherThreads.clear();
    n.ownThread.clear();
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
    n.pixels = nullptr;
}

void Window::resizeNative()
{
    Native& n = *nativePart;
    HWND hwnd = n.hwnd.load();
    if (!hwnd)
        return;
    HDC windowDC = GetDC(hwnd);
    std::uint32_t* pixels = nullptr;
    HBITMAP bigger = backBuffer(windowDC, deviceWidth(), deviceHeight(), pixels);
    ReleaseDC(hwnd, windowDC);
    if (bigger) {
        SelectObject(n.backDC, bigger);
        DeleteObject(n.backBitmap);
        n.backBitmap = bigger;
        n.pixels = pixels;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, deviceWidth(), deviceHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::afterMessages(std::function<void()> job)
{
    if (messageDepth == 0) {
        job();
        return;
    }
    if (!waitingJobs)
        waitingJobs = new std::vector<std::function<void()>>;
    waitingJobs->push_back(std::move(job));
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

void Window::heldModifiers(bool& shift, bool& control) const
{
    shift = GetKeyState(VK_SHIFT) < 0;
    control = GetKeyState(VK_CONTROL) < 0;
}

bool Window::isVisible() const
{
    const Native& n = *nativePart;
    HWND hwnd = n.hwnd.load();
    return hwnd && n.shown.load();
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

namespace {

// The device rectangle drawing may touch: the back buffer within the clip.
RECT drawable(const Window& window, const Window::Native& n)
{
    RECT r = {0, 0, window.deviceWidth(), window.deviceHeight()};
    if (n.clipped)
        r = {std::max(r.left, n.clip.left), std::max(r.top, n.clip.top), std::min(r.right, n.clip.right),
             std::min(r.bottom, n.clip.bottom)};
    return r;
}

// The points with pixel centres at halves, as Graphcoverage takes them; GDI
// has them at whole numbers. GDI's pending drawing lands first.
std::vector<Point>& graphPoints(Window::Native& n, const Point* points, int count)
{
    GdiFlush();
    n.graph.assign(points, points + count);
    for (Point& p : n.graph)
        p = {p.x + 0.5f, p.y + 0.5f};
    return n.graph;
}

} // namespace

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

// A graph is drawn straight into the back buffer, column by column: GDI+
// under Wine pays a path, a region and a bitmap for each of its hundreds of
// segments.
void Window::drawGraph(const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    Native& n = *nativePart;
    if (!isOpen() || !n.pixels || !Graphcoverage::isGraph(points, count)) {
        drawLines(points, count, argb, lineWidth);
        return;
    }
    const RECT area = drawable(*this, n);
    const std::vector<Point>& graph = graphPoints(n, points, count);
    Graphcoverage coverage(graph.data(), count);
    const int width = deviceWidth();
    // A stroke reaches past its ends by at most its width.
    const int margin = static_cast<int>(std::ceil(lineWidth));
    const int left = std::max<int>(coverage.firstColumn() - margin, area.left);
    const int right = std::min<int>(coverage.endColumn() + margin, area.right);
    const Paint paint(argb);
    for (int x = left; x < right; ++x) {
        int top = 0;
        coverage.stroke(x, lineWidth, n.cover, top);
        const int bottom = top + static_cast<int>(n.cover.size());
        for (int y = std::max<int>(top, area.top); y < std::min<int>(bottom, area.bottom); ++y)
            paint.over(n.pixels[static_cast<std::size_t>(y) * width + x],
                       paint.weight(n.cover[static_cast<std::size_t>(y - top)]));
    }
}

// Row by row, as the pixels lie in memory, four pixels at a time: a fill
// covers many.
void Window::fillUnder(const Point* points, int count, float baseY, std::uint32_t argb)
{
    Native& n = *nativePart;
    if (!isOpen() || !n.pixels || !Graphcoverage::isGraph(points, count))
        return;
    const RECT area = drawable(*this, n);
    const std::vector<Point>& graph = graphPoints(n, points, count);
    Graphcoverage coverage(graph.data(), count);
    const int left = std::max<int>(coverage.firstColumn(), area.left);
    const int right = std::min<int>(coverage.endColumn(), area.right);
    if (right <= left)
        return;
    // Per column, the rows filled: [top, bottom), none when equal.
    const auto columns = static_cast<std::size_t>(right - left);
    n.tops.assign(columns, 0);
    n.bottoms.assign(columns, 0);
    int highest = area.bottom, lowest = area.top;
    for (int x = left; x < right; ++x) {
        int top = 0, bottom = 0;
        if (!coverage.filled(x, baseY + 0.5f, top, bottom))
            continue;
        top = std::max<int>(top, area.top);
        bottom = std::min<int>(bottom, area.bottom);
        if (bottom <= top)
            continue;
        n.tops[static_cast<std::size_t>(x - left)] = top;
        n.bottoms[static_cast<std::size_t>(x - left)] = bottom;
        highest = std::min(highest, top);
        lowest = std::max(lowest, bottom);
    }
    const Paint paint(argb);
    const std::uint32_t weight = paint.weight(1.0f);
    const auto w = static_cast<short>(weight), rest = static_cast<short>(256 - weight);
    // Per pixel in 16-bit lanes: blue, green, red at the weight, alpha kept.
    const __m128i colour =
        _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(argb)), _mm_setzero_si128()),
                        _mm_set_epi16(0, w, w, w, 0, w, w, w));
    const __m128i keep = _mm_set_epi16(256, rest, rest, rest, 256, rest, rest, rest);
    const __m128i zero = _mm_setzero_si128();
    const int width = deviceWidth();
    for (int y = highest; y < lowest; ++y) {
        std::uint32_t* row = n.pixels + static_cast<std::size_t>(y) * width + left;
        const __m128i at = _mm_set1_epi32(y);
        int i = 0;
        for (; i + 4 <= right - left; i += 4) {
            const __m128i tops =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(&n.tops[static_cast<std::size_t>(i)]));
            const __m128i bottoms =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(&n.bottoms[static_cast<std::size_t>(i)]));
            const __m128i inside = _mm_andnot_si128(_mm_cmplt_epi32(at, tops), _mm_cmplt_epi32(at, bottoms));
            if (_mm_movemask_epi8(inside) == 0)
                continue;
            const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
            const __m128i low =
                _mm_srli_epi16(_mm_add_epi16(colour, _mm_mullo_epi16(_mm_unpacklo_epi8(under, zero), keep)), 8);
            const __m128i high =
                _mm_srli_epi16(_mm_add_epi16(colour, _mm_mullo_epi16(_mm_unpackhi_epi8(under, zero), keep)), 8);
            const __m128i blended = _mm_packus_epi16(low, high);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i),
                             _mm_or_si128(_mm_and_si128(inside, blended), _mm_andnot_si128(inside, under)));
        }
        for (; i < right - left; ++i)
            if (y >= n.tops[static_cast<std::size_t>(i)] && y < n.bottoms[static_cast<std::size_t>(i)])
                paint.over(row[i], weight);
    }
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

// Any thread: no lock, no drawing, no allocation, and no call into the window
// system, which may wait for its server.
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
        n.ownThread.add({area.left, area.top, area.right, area.bottom});
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
