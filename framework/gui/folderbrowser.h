// The system's modal folder browser.
#pragma once

#include <optional>
#include <string>

namespace Framework {

class Window;

// Lets the user pick a file-system folder in a dialog owned by owner's
// window, with title above the tree and preselected chosen at the start.
// The chosen folder's path without a trailing separator; nothing when the
// user cancels or the choice is no file-system folder.
std::optional<std::string> chooseFolder(Window& owner, const std::string& title, const std::string& preselected);

} // namespace Framework
