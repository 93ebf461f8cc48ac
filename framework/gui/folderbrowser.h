// The system's folder browser.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace Framework {

class Window;

// The chosen folder's path without a trailing separator; nothing when the
// user cancels or the choice is no file-system folder.
using Folderchoice = std::function<void(const std::optional<std::string>&)>;

// Lets the user pick a file-system folder in a dialog owned by owner's
// window, with title above the tree and preselected chosen at the start;
// then hands the answer to then. A modal dialog (Windows) answers before
// this returns; on X11 the dialog runs with the editor and the answer comes
// from a later turn of the window's events, on the thread that handles
// them, so that the host's thread never waits on the user. A window closed
// meanwhile takes the dialog with it, unanswered.
void chooseFolder(Window& owner, const std::string& title, const std::string& preselected, Folderchoice then);

} // namespace Framework
