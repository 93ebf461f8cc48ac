// The message for a user on Linux, shown in a window of its own.
#pragma once

#include <string>

namespace Framework::Linux {

// Shows text under a caption in a small window with an OK button, on a
// thread of its own, and returns at once: the host's thread never waits.
// Nothing when no X display can be reached, the X library cannot be
// loaded, or VEX_NO_MESSAGE_WINDOW is set (the tests' setting).
void showMessageWindow(const std::string& caption, const std::string& text);

} // namespace Framework::Linux
