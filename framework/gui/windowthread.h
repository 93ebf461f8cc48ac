// For back ends whose window runs on a thread of its own (X11): the host's
// calls into the editor (open, close, size, idle) hold the window, so that
// the window's code never runs on two threads at once, and the host's idle
// call handles what is pending. Elsewhere (Win32, headless), where the
// window system calls the window on the host's thread, holding always
// succeeds at once and servicing does nothing.
#pragma once

#include <mutex>

namespace Framework {

class Window;

class Windowhold {
public:
    // Waits until the window's thread lets go of the window; with wait
    // false, holds it only if that thread is not using it.
    explicit Windowhold(Window& window, bool wait = true);
    ~Windowhold();
    Windowhold(const Windowhold&) = delete;
    Windowhold& operator=(const Windowhold&) = delete;

    // Held (always, where the window has no thread of its own).
    explicit operator bool() const { return held; }

private:
    std::unique_lock<std::recursive_mutex> lock;
    bool held = true;
};

// Handles the window's pending events, a due timer tick and its painting
// now, on the calling thread, which holds the window (effEditIdle).
void serviceWindow(Window& window);

} // namespace Framework
