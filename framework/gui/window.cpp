#include "window.h"

#include "mousecode.h"

#include <algorithm>
#include <cmath>

namespace Framework {

namespace {

// The last point of the run from `from` whose points lie between its ends
// and within tolerance pixels of the straight line through them; at
// most 16 points on, so that the search stays cheap.
int straightRunEnd(const Point* points, int from, int count, double tolerance)
{
    constexpr int longestRun = 16;
    const Point a = points[from];
    int end = from + 1;
    for (int candidate = from + 2; candidate < count && candidate - from <= longestRun; ++candidate) {
        const Point b = points[candidate];
        const double dx = b.x - a.x, dy = b.y - a.y, length = std::sqrt(dx * dx + dy * dy);
        bool straight = length > 0.0;
        for (int k = from + 1; straight && k < candidate; ++k) {
            const double px = points[k].x - a.x, py = points[k].y - a.y, along = px * dx + py * dy;
            straight = std::abs(px * dy - py * dx) < length * tolerance && along >= 0.0 && along <= length * length;
        }
        if (!straight)
            break;
        end = candidate;
    }
    return end;
}

} // namespace

Window::Window(int width, int height) : windowWidth(width), windowHeight(height), nativePart(makeNative()) {}

Window::~Window()
{
    close();
}

// Every open starts from a closed window and the fill colour white.
bool Window::open(void* parent)
{
    close();
    if (!parent)
        return false;
    fillColour = 0xFFFFFFFF;
    clipDepth = 0;
    opened = openNative(parent);
    return opened;
}

void Window::close()
{
    if (!opened)
        return;
    opened = false;
    // A gesture under way ends with the window (closing tells the editor).
    heldButton = Heldbutton::none;
    closing();
    closeNative();
}

bool Window::offered(int percent)
{
    return std::find(scales.begin(), scales.end(), percent) != scales.end();
}

void Window::setScale(int percent)
{
    if (!offered(percent) || percent == scale())
        return;
    scalePercent.store(percent, std::memory_order_relaxed);
    if (opened)
        resizeNative();
    scaleChanged();
    invalidate(0, 0, windowWidth, windowHeight);
}

int Window::scaled(int layout, int percent)
{
    return static_cast<int>(std::floor(layout * (percent / 100.0) + 0.5));
}

void Window::deviceRect(int& x, int& y, int& w, int& h) const
{
    const int right = toDevice(x + w), bottom = toDevice(y + h);
    x = toDevice(x);
    y = toDevice(y);
    w = right - x;
    h = bottom - y;
}

void Window::coverInLayout(int& x, int& y, int& w, int& h) const
{
    const double perDevice = 100.0 / scale();
    const int left = static_cast<int>(std::floor(x * perDevice)), top = static_cast<int>(std::floor(y * perDevice));
    w = static_cast<int>(std::ceil((x + w) * perDevice)) - left;
    h = static_cast<int>(std::ceil((y + h) * perDevice)) - top;
    x = left;
    y = top;
}

void Window::copyBackground(const Skinbitmap& image, int x, int y, int w, int h)
{
    deviceRect(x, y, w, h);
    copyDevice(image, x, y, w, h);
}

// The source's origin maps as the destination's, and both take the
// destination's device size, so that frames of a strip keep their size.
void Window::blend(const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y)
{
    deviceRect(x, y, w, h);
    blendDevice(image, toDevice(sourceX), toDevice(sourceY), w, h, x, y);
}

void Window::fillRect(int x, int y, int w, int h)
{
    deviceRect(x, y, w, h);
    fillDevice(x, y, w, h);
}

// A layout pixel's centre is a device pixel's centre at 100 %.
Point Window::devicePoint(Point p) const
{
    const float s = static_cast<float>(scale() / 100.0);
    return {(p.x + 0.5f) * s - 0.5f, (p.y + 0.5f) * s - 0.5f};
}

void Window::polyline(const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    straightened(points, count, argb, lineWidth, false);
}

void Window::graph(const Point* points, int count, std::uint32_t argb, float lineWidth)
{
    straightened(points, count, argb, lineWidth, true);
}

void Window::straightened(const Point* points, int count, std::uint32_t argb, float lineWidth, bool isGraph)
{
    if (!isOpen() || !points || count < 2)
        return;
    // Straight within an eighth of a device pixel.
    const float s = static_cast<float>(scale() / 100.0);
    const double tolerance = 0.125 / s;
    lineScratch.clear();
    lineScratch.push_back(devicePoint(points[0]));
    for (int i = 0; i + 1 < count;) {
        i = straightRunEnd(points, i, count, tolerance);
        lineScratch.push_back(devicePoint(points[i]));
    }
    const int kept = static_cast<int>(lineScratch.size());
    if (isGraph)
        drawGraph(lineScratch.data(), kept, argb, lineWidth * s);
    else
        drawLines(lineScratch.data(), kept, argb, lineWidth * s);
}

void Window::fillBelow(const Point* points, int count, float baseY, std::uint32_t argb)
{
    if (!isOpen() || !points || count < 2)
        return;
    lineScratch.clear();
    for (int i = 0; i < count; ++i)
        lineScratch.push_back(devicePoint(points[i]));
    fillUnder(lineScratch.data(), count, devicePoint({points[0].x, baseY}).y, argb);
}

void Window::setClip(int x, int y, int w, int h)
{
    Cliprect r{x, y, x + std::max(w, 0), y + std::max(h, 0)};
    const int depth = std::min(clipDepth, static_cast<int>(clips.size()));
    if (depth > 0) {
        const Cliprect& outer = clips[static_cast<std::size_t>(depth - 1)];
        r = {std::max(r.left, outer.left), std::max(r.top, outer.top), std::min(r.right, outer.right),
             std::min(r.bottom, outer.bottom)};
        r.right = std::max(r.right, r.left);
        r.bottom = std::max(r.bottom, r.top);
    }
    if (clipDepth++ < static_cast<int>(clips.size()))
        clips[static_cast<std::size_t>(depth)] = r;
    else
        r = clips.back();
    int x0 = r.left, y0 = r.top, w0 = r.right - r.left, h0 = r.bottom - r.top;
    deviceRect(x0, y0, w0, h0);
    applyClip(true, x0, y0, w0, h0);
}

void Window::clearClip()
{
    if (clipDepth > 0)
        --clipDepth;
    const int depth = std::min(clipDepth, static_cast<int>(clips.size()));
    if (depth == 0) {
        applyClip(false, 0, 0, 0, 0);
        return;
    }
    const Cliprect& r = clips[static_cast<std::size_t>(depth - 1)];
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    deviceRect(x, y, w, h);
    applyClip(true, x, y, w, h);
}

void Window::wheelMessage(int x, int y, int delta, bool shift, bool control)
{
    constexpr int notch = 120;
    wheelUnits += delta;
    int notches = wheelUnits / notch;
    wheelUnits -= notches * notch;
    const double perDevice = 100.0 / scale();
    int layoutX = static_cast<int>(std::floor(x * perDevice)), layoutY = static_cast<int>(std::floor(y * perDevice));
    if (notches != 0)
        wheel(layoutX, layoutY, notches, shift, control);
}

// A press takes the system's capture and a release gives it back; a double
// click takes none and leaves no button held, so the moves after it are
// plain moves.
void Window::mouseMessage(Mousemessage message, int x, int y, bool shift, bool control, bool alt)
{
    heldControl = control;
    heldAlt = alt;
    const double perDevice = 100.0 / scale();
    preciseX = x * perDevice;
    preciseY = y * perDevice;
    x = static_cast<int>(std::floor(preciseX));
    y = static_cast<int>(std::floor(preciseY));
    int code = Mouse::move;
    switch (message) {
    case Mousemessage::move:
        code = heldButton == Heldbutton::left    ? Mouse::leftDrag
               : heldButton == Heldbutton::right ? Mouse::rightDrag
                                                 : Mouse::move;
        break;
    case Mousemessage::leftDown:
        captureMouse();
        heldButton = Heldbutton::left;
        code = Mouse::leftDown;
        break;
    case Mousemessage::rightDown:
        captureMouse();
        heldButton = Heldbutton::right;
        code = Mouse::rightDown;
        break;
    case Mousemessage::leftUp:
        code = Mouse::leftUp;
        break;
    case Mousemessage::rightUp:
        code = Mouse::rightUp;
        break;
    case Mousemessage::leftDouble:
        code = Mouse::leftDouble;
        break;
    case Mousemessage::rightDouble:
        code = Mouse::rightDouble;
        break;
    }
    mouse(code, x, y, shift);
    if (Mouse::isRelease(code) || Mouse::isDoubleClick(code))
        heldButton = Heldbutton::none;
    if (Mouse::isRelease(code))
        releaseMouse();
}

bool Window::keyMessage(int letter, bool shift, bool control)
{
    if (!control)
        return false;
    // With Ctrl held, some systems report the letter as its control code.
    if (letter >= 1 && letter <= 26)
        letter += 'A' - 1;
    if (letter >= 'a' && letter <= 'z')
        letter += 'A' - 'a';
    if (letter == 'Z')
        return shortcut(shift ? Shortcut::redo : Shortcut::undo);
    if (letter == 'Y' && !shift)
        return shortcut(Shortcut::redo);
    return false;
}

void Window::captureLost()
{
    if (heldButton == Heldbutton::none)
        return;
    int code = heldButton == Heldbutton::left ? Mouse::leftUp : Mouse::rightUp;
    heldButton = Heldbutton::none;
    int x = static_cast<int>(std::floor(preciseX));
    int y = static_cast<int>(std::floor(preciseY));
    bool shift = false;
    mouse(code, x, y, shift);
    releaseMouse();
}

} // namespace Framework
