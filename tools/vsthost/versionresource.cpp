#include "versionresource.h"

#include <windows.h>

#include <cstdio>
#include <string>

Versionresource::Versionresource(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return;
    data.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        data.clear();
}

std::string Versionresource::fileVersion() const
{
    void* block = nullptr;
    UINT length = 0;
    if (!found() || !VerQueryValueA(data.data(), "\\", &block, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return "";
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

std::string Versionresource::text(const std::string& name) const
{
    if (!found())
        return "";
    // The table of the first language the file lists (US English in Unicode when none).
    char table[9] = "040904B0";
    void* block = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &block, &length) && length >= 4) {
        const auto* pair = static_cast<const WORD*>(block);
        std::snprintf(table, sizeof table, "%04X%04X", pair[0], pair[1]);
    }
    const std::string key = std::string("\\StringFileInfo\\") + table + "\\" + name;
    void* value = nullptr;
    if (!VerQueryValueA(data.data(), key.c_str(), &value, &length) || length == 0)
        return "";
    return static_cast<const char*>(value);
}
