// The back ends whose window the window system calls on the host's thread:
// nothing to hold and nothing to service.
#include "windowthread.h"

namespace Framework {

Windowhold::Windowhold(Window& /*window*/, bool /*wait*/) {}

Windowhold::~Windowhold() = default;

void serviceWindow(Window& /*window*/) {}

} // namespace Framework
