// The back ends whose window the window system calls on the host's thread:
// nothing to hold and nothing to service.
#include "windowthread.h"

namespace Framework {

std::unique_lock<std::recursive_mutex> holdWindow(Window& /*window*/)
{
    return std::unique_lock<std::recursive_mutex>();
}

void serviceWindow(Window& /*window*/) {}

} // namespace Framework
