// The X11 editor window's native part, shared by the X11 back end's files:
// its own connection to the X server, its window (a child of the host's),
// the Cairo back buffer that the shared drawing paints, and the thread that
// handles its events and timer for hosts that seldom call.
//
// Threads: the host's idle calls (effEditIdle) handle the window's events,
// timer ticks, menu choices and paints while holding lock, so that the
// editor's calls to the host come on the host's thread. One editor thread
// for the process, running while any editor is open, does so for a window
// whose host has not called for a while (100 ms). Other threads only add to
// redraw.
#pragma once

#include "framework/gui/hostframe.h"
#include "framework/gui/redrawrecord.h"
#include "framework/gui/window.h"

#include <X11/Xlib.h>
#include <cairo.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

namespace Framework {

class Systemmenu;

namespace X11 {

// A window of our own on the editor's connection (a menu, an entry box)
// that gets the events for it, or a dialog watched between events (xwindow 0).
class Eventsink {
public:
    virtual ~Eventsink() = default;
    virtual ::Window xwindow() const = 0;
    // Whether the sink gets the events of window w (a sink of several windows says so).
    virtual bool owns(::Window w) const { return w != 0 && w == xwindow(); }
    virtual void handle(XEvent& event) = 0;
    // A key press while the editor window has the keyboard: true when taken.
    virtual bool key(XKeyEvent&) { return false; }
    // Once per loop, after the events: a sink may close itself now.
    virtual void tick() {}
};

// Stands between the editor and the host's window while the editor is
// open: a size asked for on the editor thread reaches the host from its
// idle call, on its own thread (or, from a host that has not called for a
// second, from the editor thread after all).
class Hostframeproxy final : public Hostframe {
public:
    virtual ~Hostframeproxy() = default;
    bool canResize() override { return resizable; }
    bool resize(int width, int height) override;
    // Hands a size waiting for the host on; the window's lock is held.
    void deliver();

    Hostframe* real = nullptr;
    bool resizable = false; // the host's answer, asked on its thread at open
    bool pending = false;
    int width = 0, height = 0;
};

} // namespace X11

struct Window::Native {
    Display* display = nullptr;
    ::Window xwindow = 0;
    ::Window parent = 0;
    Visual* visual = nullptr;
    int depth = 0;
    cairo_surface_t* back = nullptr;
    cairo_t* draw = nullptr;
    cairo_surface_t* onscreen = nullptr;
    bool graphicsStarted = false;

    std::recursive_mutex lock;
    // The window is viewable: it and every window above it are mapped.
    std::atomic<bool> shown{false};
    // The windows above it, up to the root, whose mapping decides that.
    std::vector<::Window> ancestors;
    // The window went with the host's window before close.
    std::atomic<bool> gone{false};
    Redrawrecord redraw;
    // When the host last serviced the window from its idle call: while it
    // does so often, the editor thread leaves the work to it, so that the
    // editor's calls to the host come on the host's thread.
    std::atomic<std::chrono::steady_clock::rep> lastIdle{0};
    // The window's chain of shown popup menus, if any.
    std::unique_ptr<X11::Eventsink> menus;
    // A menu choice, carried out once the events at hand are handled (as
    // Windows posts a menu command); a menu that goes takes its choice
    // with it.
    Systemmenu* chosenMenu = nullptr;
    int chosenItem = -1;
    // The folder chooser while it runs.
    std::unique_ptr<X11::Eventsink> dialog;
    X11::Hostframeproxy frame;
    std::chrono::steady_clock::time_point nextTick{};

    // For double clicks: the last press.
    unsigned lastButton = 0;
    Time lastPress = 0;
    int lastX = 0;
    int lastY = 0;

    std::vector<X11::Eventsink*> sinks;
};

namespace X11 {

void addSink(Window& window, Eventsink& sink);
void removeSink(Window& window, Eventsink& sink);
// Handles what is pending on the window's connection, runs a due timer tick
// and paints what is invalid; the caller holds the window's lock.
void pump(Window& window);
// Whether the calling thread is the editor thread.
bool onEditorThread();
// Whether the window shows the menu; closes its menus without a choice.
bool menuShown(Window& window, const Systemmenu& menu);
void closeMenus(Window& window);

} // namespace X11
} // namespace Framework
