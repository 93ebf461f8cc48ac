// For back ends whose window runs on a thread of its own (X11): the host's
// calls into the editor (open, close, idle, size) hold the window's lock,
// so that the window's code never runs on two threads at once, and the
// host's idle call handles what is pending. Elsewhere (Win32, headless),
// where the window system calls the window on the host's thread, neither
// does anything.
#pragma once

#include <mutex>

namespace Framework {

class Window;

// Holds the window's lock for the length of a host's call; an empty lock
// where the window has no thread of its own.
std::unique_lock<std::recursive_mutex> holdWindow(Window& window);

// Handles the window's pending events, a due timer tick and its painting
// now, on the calling thread, which holds the window's lock (effEditIdle).
void serviceWindow(Window& window);

} // namespace Framework
