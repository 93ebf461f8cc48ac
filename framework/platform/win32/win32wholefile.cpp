#include "../wholefile.h"
#include "widetext.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace Framework {

namespace {

std::atomic<unsigned> writes{0};

bool writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Replaces target with source. A reader in another process that has the
// target open without sharing its deletion makes the move fail for a
// moment: it is tried again for up to a second.
bool replace(const std::wstring& source, const std::wstring& target)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return false;
        Sleep(10);
    }
    return false;
}

} // namespace

bool writeWhole(const std::string& path, const std::string& bytes)
{
    const std::wstring target = wideText(path);
    // A name unique to this process and this write; CREATE_NEW makes a new
    // file, never one that stood there.
    const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(writes.fetch_add(1)) + L".tmp";
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool whole = writeAll(file, bytes) && FlushFileBuffers(file);
    whole = CloseHandle(file) && whole;
    if (whole && replace(temporary, target))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

} // namespace Framework
