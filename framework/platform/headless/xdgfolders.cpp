#include "xdgfolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace Framework {

namespace {

// The user's home: $HOME, or the password database's when it is not set.
std::string home()
{
    const char* set = std::getenv("HOME");
    if (set && set[0] == '/')
        return set;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? entry->pw_dir : std::string();
}

// A base folder from its variable; a relative one counts as not set, as
// the rules say.
std::string base(const char* variable, const char* fallback)
{
    const char* set = std::getenv(variable);
    if (set && set[0] == '/')
        return set;
    const std::string user = home();
    return user.empty() ? std::string() : user + fallback;
}

} // namespace

std::string xdgFolder(Userdata kind)
{
    const std::string folder =
        kind == Userdata::settings ? base("XDG_CONFIG_HOME", "/.config") : base("XDG_DATA_HOME", "/.local/share");
    if (folder.empty())
        return folder;
    return folder + (kind == Userdata::settings ? "/vexatone" : "/vexatone/presets");
}

} // namespace Framework
