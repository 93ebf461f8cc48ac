// The folder chooser on X11. Where the desktop has zenity, its folder
// dialog; otherwise a list of our own, a popup menu of the folder's
// subfolders that goes up and down the tree. Either runs while the editor's
// thread keeps handling the editor's events (as Windows' modal dialogs do),
// and gives up, choosing nothing, when the host waits for the editor (it
// closes it, say), so that the host's thread never waits on the user.
#include "framework/gui/folderbrowser.h"
#include "framework/gui/systemmenu.h"
#include "framework/gui/window.h"
#include "x11native.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

extern char** environ;

namespace Framework {

namespace {

namespace fs = std::filesystem;

// Services the editor until done says so; false when the wait was given up.
bool serviceUntil(Window& owner, int extraFd, const std::function<bool()>& done)
{
    Window::Native& n = owner.native();
    while (!done()) {
        if (n.hostWaiting > 0 || n.stopping || !n.display)
            return false;
        pollfd fds[2] = {{ConnectionNumber(n.display), POLLIN, 0}, {extraFd, POLLIN, 0}};
        poll(fds, extraFd >= 0 ? 2 : 1, 16);
        X11::pump(owner);
    }
    return true;
}

// zenity on the search path, or empty.
std::string zenity()
{
    const char* path = std::getenv("PATH");
    if (!path || std::getenv("VEX_NO_ZENITY"))
        return std::string();
    std::string folders = path;
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/zenity";
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

std::optional<std::string> withZenity(Window& owner, const std::string& program, const std::string& title,
                                      const std::string& preselected)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {
        program, "--file-selection", "--directory", "--title=" + title,
        "--filename=" + preselected +
            (preselected.empty() || preselected.back() == '/' ? std::string() : std::string("/"))};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    std::string answer;
    bool ended = false;
    int status = 0;
    const bool waited = serviceUntil(owner, out[0], [&] {
        char buffer[512];
        pollfd p{out[0], POLLIN, 0};
        while (poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLHUP))) {
            const ssize_t got = read(out[0], buffer, sizeof buffer);
            if (got <= 0)
                break;
            answer.append(buffer, static_cast<std::size_t>(got));
        }
        ended = waitpid(child, &status, WNOHANG) == child;
        return ended;
    });
    if (!waited) {
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
    }
    close(out[0]);
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '/'))
        answer.pop_back();
    if (answer.empty() || !fs::is_directory(answer))
        return std::nullopt;
    return answer;
}

// The list of our own: a menu of one folder, its first item choosing it.
class Folderlist : public Systemmenu {
public:
    explicit Folderlist(const fs::path& folder) : Systemmenu("Folders", false), folder(folder)
    {
        addItem(nullptr, "Choose " + (folder.filename().empty() ? folder.string() : folder.filename().string()));
        addSeparator();
        addItem(nullptr, ".. (up)");
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, fs::directory_options::skip_permission_denied, error))
            if (entry.is_directory(error) && entry.path().filename().string().front() != '.')
                subfolders.push_back(entry.path());
        std::sort(subfolders.begin(), subfolders.end());
        if (subfolders.size() > 40)
            subfolders.resize(40);
        for (const fs::path& sub : subfolders)
            addItem(nullptr, sub.filename().string() + "/");
    }
    void select(int position) override { chosen = position; }

    fs::path folder;
    std::vector<fs::path> subfolders;
    int chosen = -1;
};

std::optional<std::string> withList(Window& owner, const std::string& preselected)
{
    std::error_code error;
    fs::path folder = fs::path(preselected);
    while (!folder.empty() && folder.filename().empty())
        folder = folder.parent_path(); // without a trailing separator
    if (!fs::is_directory(folder, error))
        folder = "/";
    for (;;) {
        Folderlist list(folder);
        list.popup(owner, owner.width() / 2 - 80, owner.height() / 5);
        if (!X11::menuShown())
            return std::nullopt;
        if (!serviceUntil(owner, -1, [] { return !X11::menuShown(); })) {
            X11::closeMenus();
            return std::nullopt;
        }
        if (list.chosen < 0)
            return std::nullopt; // dismissed
        if (list.chosen == 0)
            return folder.string();
        if (list.chosen == 2)
            folder = folder.has_parent_path() ? folder.parent_path() : folder;
        else if (list.chosen >= 3)
            folder = list.subfolders[static_cast<std::size_t>(list.chosen - 3)];
    }
}

} // namespace

std::optional<std::string> chooseFolder(Window& owner, const std::string& title, const std::string& preselected)
{
    if (!owner.handle() || !owner.native().display)
        return std::nullopt;
    const std::string program = zenity();
    return program.empty() ? withList(owner, preselected) : withZenity(owner, program, title, preselected);
}

} // namespace Framework
