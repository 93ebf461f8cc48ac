#include "../nativepath.h"
#include "../platform.h"

#include "headless.h"
#include "xdgfolders.h"

#include <dlfcn.h>
#include <pthread.h>

#include <iostream>
#include <mutex>

namespace Framework {

namespace {
std::mutex state;
std::string folderOverride;
std::string userOverride;
std::vector<std::string> errors;
} // namespace

std::string moduleFolder()
{
    {
        std::lock_guard<std::mutex> hold(state);
        if (!folderOverride.empty())
            return folderOverride;
    }
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleFolder), &info) == 0 || !info.dli_fname)
        return std::string();
    const std::string file = info.dli_fname;
    const std::size_t cut = file.find_last_of('/');
    return cut == std::string::npos ? std::string(".") : file.substr(0, cut);
}

std::string userFolder(Userdata kind)
{
    {
        std::lock_guard<std::mutex> hold(state);
        if (!userOverride.empty())
            return userOverride + (kind == Userdata::settings ? "/settings" : "/presets");
    }
    return xdgFolder(kind);
}

void showError(const std::string& text)
{
    std::cerr << "Error: " << text << '\n';
    std::lock_guard<std::mutex> hold(state);
    errors.push_back(text);
}

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

namespace Headless {

void setModuleFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> hold(state);
    folderOverride = folder;
}

void setUserFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> hold(state);
    userOverride = folder;
}

std::vector<std::string> shownErrors()
{
    std::lock_guard<std::mutex> hold(state);
    return errors;
}

void clearShownErrors()
{
    std::lock_guard<std::mutex> hold(state);
    errors.clear();
}

} // namespace Headless
} // namespace Framework
