#include "../platform.h"

#include <windows.h>

namespace Framework {

std::string moduleFolder()
{
    // The module that contains this function: the plug-in DLL, not the host.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&moduleFolder), &module);
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    std::string file(path, length < MAX_PATH ? length : MAX_PATH - 1);
    const std::size_t cut = file.find_last_of('\\');
    return cut == std::string::npos ? std::string() : file.substr(0, cut);
}

void showError(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), "Error", MB_OK);
}

std::uintptr_t currentThread()
{
    return GetCurrentThreadId();
}

} // namespace Framework
