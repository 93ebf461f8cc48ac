// The platform services of the Linux plug-in: the module folder from the
// dynamic linker, the user's folders by the XDG rules, the thread from POSIX, and the user's message on standard
// error and, when an X display can be reached, in a small window of its own.
#include "../nativepath.h"
#include "../platform.h"

#include "../headless/xdgfolders.h"
#include "linuxmessage.h"

#include <dlfcn.h>
#include <pthread.h>

#include <cstdio>
#include <cstdlib>

namespace Framework {

std::string moduleFolder()
{
    // The shared object that holds this function: the plug-in, not the host.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleFolder), &info) == 0 || !info.dli_fname)
        return std::string();
    // The name the library was loaded by may be relative to a folder the host
    // has left since: the absolute path, links resolved.
    char* resolved = realpath(info.dli_fname, nullptr);
    const std::string file = resolved ? resolved : info.dli_fname;
    std::free(resolved);
    const std::size_t cut = file.find_last_of('/');
    if (cut == std::string::npos)
        return std::string(".");
    return cut == 0 ? std::string("/") : file.substr(0, cut);
}

std::string userFolder(Userdata kind)
{
    return xdgFolder(kind);
}

void showError(const std::string& text)
{
    std::fprintf(stderr, "Vexatone: error: %s\n", text.c_str());
    std::fflush(stderr);
    Linux::showMessageWindow("Error", text);
}

// Linux takes paths as bytes; the portable code's UTF-8 passes unchanged.
boost::filesystem::path nativePath(const std::string& text)
{
    return boost::filesystem::path(text);
}

std::string utf8Path(const boost::filesystem::path& path)
{
    return path.string();
}

std::uintptr_t currentThread()
{
    return static_cast<std::uintptr_t>(pthread_self());
}

} // namespace Framework
