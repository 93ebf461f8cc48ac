#include "../nativepath.h"
#include "../platform.h"
#include "widetext.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace Framework {

std::string moduleFolder()
{
    // The module that contains this function: the plug-in DLL, not the host.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&moduleFolder), &module);
    // The wide name, as long as it is: a folder in any script, past MAX_PATH.
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()))) >= path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    const std::wstring file(path.data(), length < path.size() ? length : 0);
    const std::size_t cut = file.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::string() : utf8Text(file.substr(0, cut));
}

namespace {

// The roaming application data folder: %APPDATA% as the user's session
// names it, or as the shell knows it.
std::wstring applicationData()
{
    std::vector<wchar_t> value(MAX_PATH);
    DWORD length = GetEnvironmentVariableW(L"APPDATA", value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length + 1);
        length = GetEnvironmentVariableW(L"APPDATA", value.data(), static_cast<DWORD>(value.size()));
    }
    if (length > 0 && length < value.size())
        return std::wstring(value.data(), length);
    wchar_t folder[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder
                                                                                                     : std::wstring();
}

} // namespace

std::string userFolder(Userdata kind)
{
    std::wstring folder = applicationData();
    if (folder.empty())
        return std::string();
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    folder += L"\\Hollowbirch\\Vexatone";
    if (kind == Userdata::presets)
        folder += L"\\Presets";
    return utf8Text(folder);
}

void showError(const std::string& text)
{
    MessageBoxW(nullptr, wideText(text).c_str(), L"Error", MB_OK);
}

boost::filesystem::path nativePath(const std::string& text)
{
    return boost::filesystem::path(wideText(text));
}

std::string utf8Path(const boost::filesystem::path& path)
{
    return utf8Text(path.wstring());
}

std::uintptr_t currentThread()
{
    return GetCurrentThreadId();
}

} // namespace Framework
