// The editor window on X11: a child of the host's window (effEditOpen's
// pointer is its X11 Window) on a connection of our own, drawn by the
// shared Cairo drawing into an image back buffer that is copied to the
// window through Cairo's Xlib surface. The host's idle calls handle the
// window's events and run its 16 ms timer; the editor thread, one for all
// the process's editors, does so for a host that seldom calls effEditIdle,
// so that it still gets a live editor.
#include "framework/gui/cairo/cairodrawing.h"
#include "framework/gui/skinbitmap.h"
#include "framework/gui/systemmenu.h"
#include "framework/gui/window.h"
#include "framework/gui/windowthread.h"
#include "x11native.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace Framework {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto tickPeriod = std::chrono::milliseconds(16);
// A host that has not called effEditIdle for this long hears of a size from
// the editor's thread.
constexpr Clock::rep hostSilence = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)).count();
// A host that calls effEditIdle at least this often runs the window itself.
constexpr Clock::rep hostIdleSpan = std::chrono::duration_cast<Clock::duration>(std::chrono::milliseconds(100)).count();
// Two presses of one button this close in time and place make a double click.
constexpr Time doubleClickTime = 400;
constexpr int doubleClickDistance = 4;

// X errors on our connections (a window the host destroyed before closing
// the editor, say) are ignored; others go to the handler that was there.
std::mutex connectionsLock;
std::set<Display*> connections;
XErrorHandler previousHandler = nullptr;

int errorHandler(Display* display, XErrorEvent* error)
{
    {
        const std::lock_guard<std::mutex> hold(connectionsLock);
        if (connections.count(display))
            return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
}

Display* connect()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    const std::lock_guard<std::mutex> hold(connectionsLock);
    if (connections.empty()) {
        XErrorHandler before = XSetErrorHandler(errorHandler);
        if (before != errorHandler)
            previousHandler = before;
    }
    connections.insert(display);
    return display;
}

void disconnect(Display* display)
{
    XSync(display, False);
    XCloseDisplay(display);
    const std::lock_guard<std::mutex> hold(connectionsLock);
    connections.erase(display);
    // The host's handler back, so that none of ours is left behind when the
    // library is unloaded; a handler set after ours stays.
    if (connections.empty()) {
        const XErrorHandler current = XSetErrorHandler(previousHandler);
        if (current != errorHandler)
            XSetErrorHandler(current);
        previousHandler = nullptr;
    }
}

void freeSurfaces(Window::Native& n)
{
    if (n.draw)
        cairo_destroy(n.draw);
    if (n.back)
        cairo_surface_destroy(n.back);
    if (n.onscreen)
        cairo_surface_destroy(n.onscreen);
    n.draw = nullptr;
    n.back = n.onscreen = nullptr;
}

void makeSurfaces(Window::Native& n, int width, int height)
{
    n.back = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    n.draw = cairo_create(n.back);
    n.onscreen = cairo_xlib_surface_create(n.display, n.xwindow, n.visual, width, height);
}

// Paints the invalid rectangle (device pixels) into the back buffer and
// shows it.
void paintArea(Window& window, const Redrawrecord::Area& area)
{
    Window::Native& n = window.native();
    const int left = std::max(area.left, 0), top = std::max(area.top, 0);
    const int right = std::min(area.right, window.deviceWidth()), bottom = std::min(area.bottom, window.deviceHeight());
    if (right <= left || bottom <= top || !n.onscreen)
        return;
    int x = left, y = top, w = right - left, h = bottom - top;
    window.coverInLayout(x, y, w, h);
    window.paint(x, y, w, h);
    cairo_surface_flush(n.back);
    cairo_t* cr = cairo_create(n.onscreen);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, n.back, 0, 0);
    const int deviceLeft = window.toDevice(x), deviceTop = window.toDevice(y);
    cairo_rectangle(cr, deviceLeft, deviceTop, window.toDevice(x + w) - deviceLeft, window.toDevice(y + h) - deviceTop);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(n.onscreen);
}

void buttonEvent(Window& window, const XButtonEvent& event, bool press)
{
    Window::Native& n = window.native();
    const bool shift = (event.state & ShiftMask) != 0, control = (event.state & ControlMask) != 0;
    const bool alt = (event.state & Mod1Mask) != 0;
    using M = Window::Mousemessage;
    switch (event.button) {
    case Button1:
    case Button3: {
        const bool left = event.button == Button1;
        if (!press) {
            // A drag's last move reaches the controls with the event after
            // it: a still move where the button went up brings it in.
            window.mouseMessage(M::move, event.x, event.y, shift, control, alt);
            window.mouseMessage(left ? M::leftUp : M::rightUp, event.x, event.y, shift, control, alt);
            return;
        }
        const bool twice = n.lastButton == event.button && event.time - n.lastPress <= doubleClickTime &&
                           std::abs(event.x - n.lastX) <= doubleClickDistance &&
                           std::abs(event.y - n.lastY) <= doubleClickDistance;
        // A third press starts a new pair.
        n.lastButton = twice ? 0 : event.button;
        n.lastPress = event.time;
        n.lastX = event.x;
        n.lastY = event.y;
        const M message = twice ? (left ? M::leftDouble : M::rightDouble) : (left ? M::leftDown : M::rightDown);
        window.mouseMessage(message, event.x, event.y, shift, control, alt);
        return;
    }
    case Button4:
    case Button5:
        // The wheel: one notch a press, as Windows' 120 units.
        if (press)
            window.wheelMessage(event.x, event.y, event.button == Button4 ? 120 : -120, shift, control);
        return;
    default:
        return;
    }
}

// Whether the window shows: a host may hide its window, or one above it,
// without closing the editor.
bool viewable(Window::Native& n)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(n.display, n.xwindow, &attributes) && attributes.map_state == IsViewable;
}

void unwatchAncestors(Window::Native& n)
{
    for (::Window above : n.ancestors)
        XSelectInput(n.display, above, NoEventMask);
    n.ancestors.clear();
}

// The host may hide its window, or one above it, and show it again; it may
// also move its window into another (embedding it in its own window).
void watchAncestors(Window::Native& n)
{
    unwatchAncestors(n);
    for (::Window above = n.parent; above;) {
        ::Window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(n.display, above, &root, &up, &children, &count))
            break;
        if (children)
            XFree(children);
        n.ancestors.push_back(above);
        XSelectInput(n.display, above, StructureNotifyMask);
        above = up == root ? 0 : up;
    }
}

void handleEvent(Window& window, XEvent& event)
{
    Window::Native& n = window.native();
    if (event.xany.window != n.xwindow) {
        if (std::find(n.ancestors.begin(), n.ancestors.end(), event.xany.window) != n.ancestors.end()) {
            if (event.type == ReparentNotify)
                watchAncestors(n);
            if (event.type == MapNotify || event.type == UnmapNotify || event.type == ReparentNotify)
                n.shown = !n.gone && viewable(n);
            return;
        }
        for (X11::Eventsink* sink : n.sinks)
            if (sink->owns(event.xany.window)) {
                sink->handle(event);
                return;
            }
        return;
    }
    switch (event.type) {
    case Expose:
        n.redraw.add({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                      event.xexpose.y + event.xexpose.height});
        break;
    case MapNotify:
    case UnmapNotify:
        n.shown = viewable(n);
        break;
    case DestroyNotify:
        n.gone = true;
        n.shown = false;
        break;
    case ButtonPress:
    case ButtonRelease:
        buttonEvent(window, event.xbutton, event.type == ButtonPress);
        break;
    case MotionNotify: {
        // Only the latest position of a run of moves matters; a move after
        // a press or release stays after it.
        while (XPending(n.display)) {
            XEvent next;
            XPeekEvent(n.display, &next);
            if (next.type != MotionNotify || next.xany.window != n.xwindow)
                break;
            XNextEvent(n.display, &event);
        }
        const bool shift = (event.xmotion.state & ShiftMask) != 0;
        const bool control = (event.xmotion.state & ControlMask) != 0;
        const bool alt = (event.xmotion.state & Mod1Mask) != 0;
        // A move with no button held ends a drag whose release went
        // elsewhere (a grab of another client, say).
        if (!(event.xmotion.state & (Button1Mask | Button3Mask)))
            window.captureLost();
        window.mouseMessage(Window::Mousemessage::move, event.xmotion.x, event.xmotion.y, shift, control, alt);
        break;
    }
    case LeaveNotify:
        // Into a window of ours over it (an entry box) is not away; nor is
        // the pointer's leaving during a grab.
        if (event.xcrossing.detail != NotifyInferior && event.xcrossing.mode == NotifyNormal)
            window.pointerLeft();
        break;
    case KeyPress: {
        bool taken = false;
        for (auto it = n.sinks.rbegin(); it != n.sinks.rend() && !taken; ++it)
            taken = (*it)->key(event.xkey);
        // The unshifted symbol of a letter key is its small letter.
        const KeySym symbol = XLookupKeysym(&event.xkey, 0);
        if (!taken && symbol >= XK_a && symbol <= XK_z)
            window.keyMessage(static_cast<int>(symbol), (event.xkey.state & ShiftMask) != 0,
                              (event.xkey.state & ControlMask) != 0);
        break;
    }
    default:
        break;
    }
}

thread_local bool editorThread = false;

// The editor thread and the windows it looks after: one thread for the
// process, while any editor is open.
struct Editorthread {
    std::mutex lock;
    std::vector<Window*> windows;
    std::thread thread;
    bool running = false;
    unsigned generation = 0; // a thread told to stop keeps its old one
};
Editorthread editors;

// Whether the host services the window itself from its idle calls.
bool hostServices(const Window::Native& n)
{
    return Clock::now().time_since_epoch().count() - n.lastIdle.load() < hostIdleSpan;
}

void run(unsigned generation)
{
    editorThread = true;
    auto next = Clock::now();
    for (;;) {
        std::vector<Window*> windows;
        std::vector<pollfd> fds;
        {
            const std::lock_guard<std::mutex> hold(editors.lock);
            if (!editors.running || editors.generation != generation)
                return;
            windows = editors.windows;
            // The events of the windows whose hosts leave them to us.
            for (Window* window : windows)
                if (!hostServices(window->native()))
                    fds.push_back({ConnectionNumber(window->native().display), POLLIN, 0});
        }
        // Events wake the thread; otherwise the next timer tick does.
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count();
        poll(fds.data(), fds.size(), static_cast<int>(std::clamp<long long>(wait, 1, 16)));
        next = Clock::now() + tickPeriod;
        for (Window* window : windows) {
            std::unique_lock<std::recursive_mutex> hold;
            {
                // Still open, and the host's thread not using it (it may
                // close it): it stays open while held.
                const std::lock_guard<std::mutex> registry(editors.lock);
                if (std::find(editors.windows.begin(), editors.windows.end(), window) == editors.windows.end())
                    continue;
                Window::Native& n = window->native();
                if (hostServices(n))
                    continue;
                hold = std::unique_lock<std::recursive_mutex>(n.lock, std::try_to_lock);
                if (!hold)
                    continue;
            }
            Window::Native& n = window->native();
            // A size waits longer for the host's thread: only a host that has
            // not called for a second hears of it from this thread.
            if (Clock::now().time_since_epoch().count() - n.lastIdle.load() >= hostSilence)
                n.frame.deliver();
            X11::pump(*window);
            next = std::min(next, n.nextTick);
        }
    }
}

// The window joins the editor thread's, which starts with the first.
void attend(Window& window)
{
    const std::lock_guard<std::mutex> hold(editors.lock);
    editors.windows.push_back(&window);
    if (editors.running)
        return;
    editors.running = true;
    editors.thread = std::thread(run, ++editors.generation);
}

// The window leaves the editor thread, which ends with the last.
void leave(Window& window)
{
    std::thread ending;
    {
        const std::lock_guard<std::mutex> hold(editors.lock);
        auto& windows = editors.windows;
        windows.erase(std::remove(windows.begin(), windows.end(), &window), windows.end());
        if (!windows.empty() || !editors.running)
            return;
        editors.running = false;
        ending = std::move(editors.thread);
    }
    // A host that closes the editor from a call the editor thread made lets
    // that thread end on its own.
    if (ending.get_id() == std::this_thread::get_id())
        ending.detach();
    else
        ending.join();
}

// Xft.dpi from the X resources, or 0.
int resourceDpi(Display* display)
{
    const char* resources = XResourceManagerString(display);
    if (!resources)
        return 0;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    int dpi = 0;
    if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
        dpi = static_cast<int>(std::strtod(value.addr, nullptr) + 0.5);
    if (database)
        XrmDestroyDatabase(database);
    return dpi;
}

} // namespace

Windowhold::Windowhold(Window& window, bool wait) : lock(window.native().lock, std::try_to_lock)
{
    if (!lock.owns_lock() && wait)
        lock.lock();
    held = lock.owns_lock();
}

Windowhold::~Windowhold() = default;

void serviceWindow(Window& window)
{
    if (!window.isOpen())
        return;
    window.native().lastIdle = Clock::now().time_since_epoch().count();
    window.native().frame.deliver();
    X11::pump(window);
}

namespace X11 {

bool onEditorThread()
{
    return editorThread;
}

bool Hostframeproxy::resize(int w, int h)
{
    if (!real)
        return false;
    if (!onEditorThread())
        return real->resize(w, h);
    width = w;
    height = h;
    pending = true;
    return true;
}

void Hostframeproxy::deliver()
{
    if (!pending || !real)
        return;
    pending = false;
    real->resize(width, height);
}

void addSink(Window& window, Eventsink& sink)
{
    window.native().sinks.push_back(&sink);
}

void removeSink(Window& window, Eventsink& sink)
{
    auto& sinks = window.native().sinks;
    sinks.erase(std::remove(sinks.begin(), sinks.end(), &sink), sinks.end());
}

void pump(Window& window)
{
    Window::Native& n = window.native();
    if (!n.display)
        return;
    while (XPending(n.display)) {
        XEvent event;
        XNextEvent(n.display, &event);
        handleEvent(window, event);
        if (!n.display)
            return;
    }
    // The choice made among those events, if its menu is still there.
    if (Systemmenu* menu = std::exchange(n.chosenMenu, nullptr))
        menu->select(n.chosenItem);
    if (!n.display)
        return;
    const std::vector<Eventsink*> sinks = n.sinks; // a sink may leave during its tick
    for (Eventsink* sink : sinks)
        if (std::find(n.sinks.begin(), n.sinks.end(), sink) != n.sinks.end())
            sink->tick();
    const auto now = Clock::now();
    if (now >= n.nextTick) {
        n.nextTick = std::max(n.nextTick + tickPeriod, now);
        window.timerTick();
    }
    Redrawrecord::Area area{};
    if (n.redraw.take(area) && n.shown && !n.gone)
        paintArea(window, area);
    XFlush(n.display);
}

} // namespace X11

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
    const ::Window parentWindow = static_cast<::Window>(reinterpret_cast<std::uintptr_t>(parent));
    n.display = connect();
    if (!n.display)
        return false;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(n.display, parentWindow, &attributes)) {
        disconnect(n.display);
        n.display = nullptr;
        return false;
    }
    // The parent's visual, so that the window may live in it whatever its depth.
    n.visual = attributes.visual;
    n.depth = attributes.depth;
    n.parent = parentWindow;
    watchAncestors(n);
    XSetWindowAttributes set{};
    set.colormap = attributes.colormap;
    set.background_pixmap = None;
    set.border_pixel = 0;
    set.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask |
                     StructureNotifyMask | KeyPressMask;
    n.xwindow = XCreateWindow(n.display, parentWindow, 0, 0, static_cast<unsigned>(deviceWidth()),
                              static_cast<unsigned>(deviceHeight()), 0, n.depth, InputOutput, n.visual,
                              CWColormap | CWBackPixmap | CWBorderPixel | CWEventMask, &set);
    if (!n.xwindow) {
        disconnect(n.display);
        n.display = nullptr;
        return false;
    }
    XStoreName(n.display, n.xwindow, "Vexatone");
    makeSurfaces(n, deviceWidth(), deviceHeight());
    n.gone = false;
    n.shown = false;
    n.redraw.clear();
    n.nextTick = Clock::now();
    n.lastButton = 0;
    XMapWindow(n.display, n.xwindow);
    XFlush(n.display);
    if (!n.graphicsStarted) {
        n.graphicsStarted = true;
        graphicsReady();
    }
    // The host's window, through a stand-in whose answers and calls come on
    // the host's thread.
    n.frame.real = frame();
    n.frame.resizable = n.frame.real && n.frame.real->canResize();
    n.frame.pending = false;
    setHostframe(&n.frame);
    attend(*this);
    return true;
}

void Window::closeNative()
{
    Native& n = *nativePart;
    leave(*this);
    // A choice not yet carried out goes with the window, as a menu command
    // does with a destroyed window; a size not yet asked for reaches the host.
    n.chosenMenu = nullptr;
    n.dialog.reset();
    n.frame.deliver();
    setHostframe(n.frame.real);
    // Menus and entry boxes go with the window.
    while (!n.sinks.empty()) {
        X11::Eventsink* sink = n.sinks.back();
        n.sinks.pop_back();
        XEvent event{};
        event.type = DestroyNotify;
        event.xdestroywindow.window = sink->xwindow();
        sink->handle(event);
    }
    n.menus.reset();
    freeSurfaces(n);
    if (n.display) {
        unwatchAncestors(n);
        if (!n.gone)
            XDestroyWindow(n.display, n.xwindow);
        disconnect(n.display);
    }
    n.display = nullptr;
    n.xwindow = 0;
    n.shown = false;
}

void Window::resizeNative()
{
    Native& n = *nativePart;
    if (!n.display)
        return;
    freeSurfaces(n);
    XResizeWindow(n.display, n.xwindow, static_cast<unsigned>(deviceWidth()), static_cast<unsigned>(deviceHeight()));
    makeSurfaces(n, deviceWidth(), deviceHeight());
    n.redraw.add({0, 0, deviceWidth(), deviceHeight()});
    XFlush(n.display);
}

// Menus and the entry box are windows of their own, not loops within a
// message: nothing waits further up the stack.
void Window::afterMessages(std::function<void()> job)
{
    job();
}

int Window::screenDpi(void* /*parent*/)
{
    // The desktop's font density (Xft.dpi, which desktops set for their
    // scale), as Windows' per-window density; 96 without it.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 96;
    const int dpi = resourceDpi(display);
    XCloseDisplay(display);
    return dpi > 0 ? dpi : 96;
}

void Window::heldModifiers(bool& shift, bool& control) const
{
    shift = control = false;
    Display* display = nativePart->display;
    if (!display)
        return;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    const auto held = [&](KeySym symbol) {
        const KeyCode code = XKeysymToKeycode(display, symbol);
        return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
    };
    shift = held(XK_Shift_L) || held(XK_Shift_R);
    control = held(XK_Control_L) || held(XK_Control_R);
}

bool Window::isVisible() const
{
    return opened && nativePart->shown && !nativePart->gone;
}

void* Window::handle() const
{
    return opened ? reinterpret_cast<void*>(static_cast<std::uintptr_t>(nativePart->xwindow)) : nullptr;
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

// Any thread: no lock, no drawing, no call into Xlib; the editor's thread
// paints what the record holds at its next turn.
void Window::invalidate(int x, int y, int w, int h)
{
    Native& n = *nativePart;
    if (!opened || w <= 0 || h <= 0)
        return;
    deviceRect(x, y, w, h);
    const Redrawrecord::Area area{std::max(x, 0), std::max(y, 0), std::min(x + w, deviceWidth()),
                                  std::min(y + h, deviceHeight())};
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    n.redraw.add(area);
}

// A press grabs the pointer for the window until its release (X's own
// grab); nothing more is needed.
void Window::captureMouse() {}

void Window::releaseMouse() {}

} // namespace Framework
