// The host's connection to the X server (DISPLAY), opened once.
#pragma once

#include <X11/Xlib.h>

// Throws std::runtime_error when no X server answers.
Display* hostDisplay();
