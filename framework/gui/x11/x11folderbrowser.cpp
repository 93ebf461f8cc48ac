// The folder chooser on X11. Where the desktop has zenity, its folder
// dialog; otherwise a list of our own, a popup menu of the folder's
// subfolders that goes up and down the tree. Either runs beside the
// editor's events, watched between them, and goes, choosing nothing, with
// the editor window.
#include "framework/gui/folderbrowser.h"
#include "framework/gui/systemmenu.h"
#include "framework/gui/window.h"
#include "x11native.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

extern char** environ;

namespace Framework {

namespace {

namespace fs = std::filesystem;

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

// A dialog of the window: it answers once, unless the window closes first.
class Dialog : public X11::Eventsink {
public:
    Dialog(Window& owner, Folderchoice then) : owner(owner), then(std::move(then)) { X11::addSink(owner, *this); }
    ~Dialog() override { X11::removeSink(owner, *this); }
    ::Window xwindow() const override { return 0; }
    void handle(XEvent&) override {}

protected:
    // Ends the dialog, this with it, and answers.
    void finish(const std::optional<std::string>& answer)
    {
        const Folderchoice answering = std::move(then);
        std::unique_ptr<X11::Eventsink> ending = std::move(owner.native().dialog);
        ending.reset();
        answering(answer);
    }

    Window& owner;

private:
    Folderchoice then;
};

// zenity's folder dialog, a process of its own watched between events.
class Zenitydialog final : public Dialog {
public:
    using Dialog::Dialog;
    ~Zenitydialog() override
    {
        if (child > 0) {
            kill(child, SIGTERM);
            waitpid(child, nullptr, 0);
        }
        if (out >= 0)
            close(out);
    }
    bool start(const std::string& program, const std::string& title, const std::string& preselected);
    void tick() override;

private:
    pid_t child = 0;
    int out = -1;
    std::string answer;
};

bool Zenitydialog::start(const std::string& program, const std::string& title, const std::string& preselected)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    out = pipeEnds[0];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {
        program, "--file-selection", "--directory", "--title=" + title,
        "--filename=" + preselected +
            (preselected.empty() || preselected.back() == '/' ? std::string() : std::string("/"))};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0)
        child = 0;
    return spawned == 0;
}

void Zenitydialog::tick()
{
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(out, buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<std::size_t>(got));
    int status = 0;
    if (waitpid(child, &status, WNOHANG) != child)
        return;
    child = 0;
    while ((got = read(out, buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<std::size_t>(got));
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '/'))
        answer.pop_back();
    std::error_code error;
    const bool chosen =
        WIFEXITED(status) && WEXITSTATUS(status) == 0 && !answer.empty() && fs::is_directory(answer, error);
    finish(chosen ? std::optional<std::string>(answer) : std::nullopt);
}

// The list of our own: a menu of one folder, its first item choosing it.
class Folderlist : public Systemmenu {
public:
    Folderlist(const fs::path& folder, int& chosen) : Systemmenu("Folders", false), folder(folder), chosen(chosen)
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

private:
    int& chosen;
};

// Shows the list of one folder after another until the user chooses one
// or dismisses the list; a choice is acted on between events, once the
// list that made it has closed.
class Listdialog final : public Dialog {
public:
    using Dialog::Dialog;
    // False when the list cannot show.
    bool show(const fs::path& folder)
    {
        chosen = -1;
        list = std::make_unique<Folderlist>(folder, chosen);
        list->popup(owner, owner.width() / 2 - 80, owner.height() / 5);
        return X11::menuShown(owner, *list);
    }
    void tick() override
    {
        if (X11::menuShown(owner, *list))
            return;
        const fs::path folder = list->folder;
        if (chosen == 0)
            finish(folder.string());
        else if (chosen == 2 && show(folder.has_parent_path() ? folder.parent_path() : folder))
            return;
        else if (chosen >= 3 && show(list->subfolders[static_cast<std::size_t>(chosen - 3)]))
            return;
        else
            finish(std::nullopt); // dismissed
    }

private:
    std::unique_ptr<Folderlist> list;
    int chosen = -1;
};

} // namespace

void chooseFolder(Window& owner, const std::string& title, const std::string& preselected, Folderchoice then)
{
    Window::Native& n = owner.native();
    if (!owner.handle() || !n.display) {
        then(std::nullopt);
        return;
    }
    n.dialog.reset();
    const std::string program = zenity();
    if (!program.empty()) {
        auto dialog = std::make_unique<Zenitydialog>(owner, std::move(then));
        Zenitydialog& started = *dialog;
        n.dialog = std::move(dialog);
        if (!started.start(program, title, preselected))
            n.dialog.reset(); // unanswered, as a dialog that never showed
        return;
    }
    std::error_code error;
    fs::path folder = fs::path(preselected);
    while (!folder.empty() && folder.filename().empty())
        folder = folder.parent_path(); // without a trailing separator
    if (!fs::is_directory(folder, error))
        folder = "/";
    auto dialog = std::make_unique<Listdialog>(owner, std::move(then));
    Listdialog& shown = *dialog;
    n.dialog = std::move(dialog);
    if (!shown.show(folder))
        n.dialog.reset();
}

} // namespace Framework
