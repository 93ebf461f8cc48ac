// The editor's window as the portable code sees it: a child of the host's
// window, with a back buffer that everything is drawn into and that is
// copied to the screen when the window paints. The platform side (Win32 and
// GDI, or the headless Cairo twin) lives in a private native part.
//
// The window is drawn at a scale, a percentage of its layout size. Everything
// portable speaks layout pixels: drawing calls, clips, invalidation, mouse
// and wheel positions. The window maps them to device pixels, where images
// are drawn from copies made at the scale and lines at full resolution.
//
// Threads: everything runs on the window's thread, except isVisible and
// invalidate, which any thread may call (parameter changes arrive from the
// host's automation and audio threads); they take no lock and draw nothing.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Framework {

class Hostframe;
class Skinbitmap;

// A point of a polyline, in window pixels; integer values are pixel centres.
struct Point {
    float x;
    float y;
};

class Window {
public:
    Window(int width, int height);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The size in layout pixels, the same at every scale.
    int width() const { return windowWidth; }
    int height() const { return windowHeight; }

    // The scales offered, in percent; the first is the layout's own size.
    static constexpr std::array<int, 5> scales{100, 125, 150, 175, 200};
    static bool offered(int percent);
    int scale() const { return scalePercent.load(std::memory_order_relaxed); }
    // Sets one of the offered scales (others are ignored): an open window is
    // resized in place, its buffer made anew and painted whole.
    void setScale(int percent);
    // The density of the screen that parent (null: the main screen) shows on,
    // in dots per inch; 96 is 100 %.
    static int screenDpi(void* parent);
    // Tells the user something in the editor's own words (an editor with a
    // status line shows it there); nothing here.
    virtual void tell(const std::string& /*text*/) {}
    // Runs job now, or, while this thread is inside a message of one of the
    // module's windows (a popup menu's loop runs within one), once the
    // outermost such message has ended, so that nothing job deletes is still
    // in use further up the stack.
    static void afterMessages(std::function<void()> job);
    // The scale the window should open at in parent (null when not known yet).
    virtual int preferredScale(void* /*parent*/) { return scale(); }
    // The size in device pixels.
    int deviceWidth() const { return toDevice(windowWidth); }
    int deviceHeight() const { return toDevice(windowHeight); }
    // A layout coordinate as device pixels: edges land on the nearest
    // device pixel edge, so adjoining rectangles stay adjoining.
    int toDevice(int layout) const { return scaled(layout, scale()); }
    static int scaled(int layout, int percent);
    // The layout rectangle that covers a device rectangle.
    void coverInLayout(int& x, int& y, int& w, int& h) const;

    // The host's window, when the host can be asked to resize it.
    void setHostframe(Hostframe* frame) { hostframe = frame; }
    Hostframe* frame() const { return hostframe; }

    // Opens the window at (0, 0) as a child of parent, a native window
    // handle; false, creating nothing, for a null parent or when the window
    // cannot be made. An open window is closed first.
    bool open(void* parent);
    // Closes the window and its drawing objects; nothing when closed.
    void close();
    bool isOpen() const { return opened; }
    // The window exists and is shown, as the window system last told it
    // (at open, at each paint and timer tick). Any thread.
    bool isVisible() const;
    // The native window handle, null while closed.
    void* handle() const;

    // Called by the editor bridge on every host idle call.
    virtual void idle() {}
    // The rectangle that needs painting; draw it into the back buffer.
    virtual void paint(int& x, int& y, int& w, int& h) = 0;
    // A mouse event: a Mouse::Code (mousecode.h), position in layout pixels.
    virtual void mouse(int& code, int& x, int& y, bool& shift) = 0;
    // Called once, right after the graphics library has started.
    virtual void graphicsReady() {}
    // The wheel turned by whole notches over (x, y), in layout pixels.
    virtual void wheel(int& /*x*/, int& /*y*/, int& /*notches*/, bool& /*shift*/, bool& /*control*/) {}
    // The pointer left the window (with no button held).
    virtual void pointerLeft() {}
    // The window's own timer, about 60 times a second, on its thread.
    virtual void timerTick() {}
    // The window is about to close.
    virtual void closing() {}
    // The scale changed (and an open window was resized).
    virtual void scaleChanged() {}
    // The editor's keyboard commands.
    enum class Shortcut { undo, redo };
    // A keyboard command while the editor has the keyboard; true when taken.
    virtual bool shortcut(Shortcut /*command*/) { return false; }

    // Drawing into the back buffer; only while open, on the window's thread.
    // Copies the rectangle of image at the same place, alpha and all.
    void copyBackground(const Skinbitmap& image, int x, int y, int w, int h);
    // Blends the w x h rectangle of image at (sourceX, sourceY) over the
    // back buffer at (x, y), per-pixel alpha, premultiplied.
    void blend(const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y);
    // The colour (ARGB) of fillRect.
    void setColour(std::uint32_t argb) { fillColour = argb; }
    std::uint32_t colour() const { return fillColour; }
    // Blends a rectangle of the colour over the back buffer.
    void fillRect(int x, int y, int w, int h);
    // An anti-aliased line through count points, of an ARGB colour and width.
    // Runs of points that stray less than an eighth of a pixel from a
    // straight line are drawn as that line: the libraries' line drawing pays
    // for every segment.
    void polyline(const Point* points, int count, std::uint32_t argb, float lineWidth);
    // The same for a graph, a line whose points' x ascend (a response curve,
    // a spectrum): the back end may draw it itself, at a cost that grows with
    // the pixels it covers rather than with its segments.
    void graph(const Point* points, int count, std::uint32_t argb, float lineWidth);
    // Fills, in an ARGB colour, the area between a line through count points
    // (x ascending) and the row baseY below it.
    void fillBelow(const Point* points, int count, float baseY, std::uint32_t argb);
    // Limits drawing to a rectangle, within the clip already set, until the
    // matching clearClip: a paint clips to its rectangle and a component may
    // clip further inside it.
    void setClip(int x, int y, int w, int h);
    void clearClip();

    // Asks for the rectangle to be painted at the next paint; nothing while
    // the window is not visible. Any thread. The window system hears of it
    // after the message being handled on the window's thread, and at the
    // next timer tick from other threads.
    void invalidate(int x, int y, int w, int h);

    // The window messages that concern the mouse.
    enum class Mousemessage { move, leftDown, leftUp, leftDouble, rightDown, rightUp, rightDouble };
    // Turns a message at a position in device pixels into a mouse call,
    // taking and releasing the system's mouse capture: the mapping every
    // back end uses.
    void mouseMessage(Mousemessage message, int x, int y, bool shift, bool control = false, bool alt = false);
    // The system took the mouse capture away (another window, a switch of
    // application, a cancelled mode), or a move came with no button held: a
    // held button counts as released where the pointer was last, so the
    // gesture ends there, and the capture is let go.
    void captureLost();
    // A wheel message's delta (WHEEL_DELTA, 120, per notch; finer wheels
    // send less) at device pixels: parts add up until they make whole notches.
    void wheelMessage(int x, int y, int delta, bool shift, bool control);
    // A key pressed while the window has the keyboard, or that the host
    // passes on: a letter (either case, or its control character) with the
    // modifiers held. Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo; true
    // when the key was a command the editor took.
    bool keyMessage(int letter, bool shift, bool control);
    // The modifier keys held now, as the window system knows them, for
    // hosts that pass keys on without their modifiers.
    void heldModifiers(bool& shift, bool& control) const;
    // Whether the Ctrl key was held at the mouse message being handled.
    bool controlHeld() const { return heldControl; }
    bool altHeld() const { return heldAlt; }
    // The pointer at the mouse message being handled, in layout pixels with
    // their fractions: at 200 % a device pixel is half a layout pixel.
    double pointerX() const { return preciseX; }
    double pointerY() const { return preciseY; }

    struct Native;
    Native& native() const { return *nativePart; }

private:
    // Each back end makes and frees its native part.
    struct Nativedeleter {
        void operator()(Native* native) const;
    };
    static std::unique_ptr<Native, Nativedeleter> makeNative();
    // The platform's parts of open and close: the window and its drawing
    // objects.
    bool openNative(void* parent);
    void closeNative();
    // The window and its buffer take the device size of the scale.
    void resizeNative();
    // A layout rectangle in device pixels.
    void deviceRect(int& x, int& y, int& w, int& h) const;
    // A layout point in device pixels.
    Point devicePoint(Point p) const;
    // A line with its straight runs joined, drawn as a graph or a polyline.
    void straightened(const Point* points, int count, std::uint32_t argb, float lineWidth, bool isGraph);
    // The platform's image and fill drawing, in device pixels; images are
    // held at the scale, so a rectangle of one lands unscaled.
    void copyDevice(const Skinbitmap& image, int x, int y, int w, int h);
    void blendDevice(const Skinbitmap& image, int sourceX, int sourceY, int w, int h, int x, int y);
    void fillDevice(int x, int y, int w, int h);
    // The platform's line drawing, for at least two points, in device pixels.
    void drawLines(const Point* points, int count, std::uint32_t argb, float lineWidth);
    // The same for a graph.
    void drawGraph(const Point* points, int count, std::uint32_t argb, float lineWidth);
    // The platform's fill, without smoothing, between a line through count
    // points (x ascending) and the row baseY, in device pixels.
    void fillUnder(const Point* points, int count, float baseY, std::uint32_t argb);
    // The platform's clip: the device rectangle, or none when on is false.
    void applyClip(bool on, int x, int y, int w, int h);
    // The system's mouse capture: every mouse message comes to the window.
    void captureMouse();
    void releaseMouse();

    const int windowWidth;
    const int windowHeight;
    // Read by any thread that invalidates.
    std::atomic<int> scalePercent{100};
    Hostframe* hostframe = nullptr;
    double preciseX = 0.0;
    double preciseY = 0.0;
    // The button a press left held, which turns moves into drags.
    enum class Heldbutton { none, left, right };
    Heldbutton heldButton = Heldbutton::none;
    bool heldControl = false;
    bool heldAlt = false;
    int wheelUnits = 0; // delta not yet a whole notch
    std::uint32_t fillColour = 0xFFFFFFFF;
    // Nested clips, innermost last; deeper ones than the array holds only
    // count, so that every clearClip still meets its setClip.
    struct Cliprect {
        int left, top, right, bottom;
    };
    std::array<Cliprect, 4> clips{};
    int clipDepth = 0;
    // The points polyline keeps; it grows to the longest line once.
    std::vector<Point> lineScratch;
    // From a successful open to close; read by any thread.
    std::atomic<bool> opened{false};
    std::unique_ptr<Native, Nativedeleter> nativePart;
};

} // namespace Framework
