#include "../filelock.h"
#include "widetext.h"

#include <windows.h>

namespace Framework {

Filelock::Filelock(const std::string& path)
    : handle(reinterpret_cast<std::intptr_t>(CreateFileW(wideText(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr)))
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    if (file == INVALID_HANDLE_VALUE)
        return;
    // Another process holds it for one read and write, milliseconds; one
    // that stopped while holding it is not waited for forever.
    const ULONGLONG until = GetTickCount64() + 5000;
    for (;;) {
        OVERLAPPED at{};
        locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
        if (locked || GetLastError() != ERROR_LOCK_VIOLATION || GetTickCount64() >= until)
            break;
        Sleep(2);
    }
}

Filelock::~Filelock()
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (locked) {
        OVERLAPPED at{};
        UnlockFileEx(file, 0, 1, 0, &at);
    }
    CloseHandle(file);
}

} // namespace Framework
