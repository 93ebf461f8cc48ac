// The Windows tests' main: the tests, then a watch on the program's end. A
// program that has not ended long after its tests (a thread that is waited
// for and never ends, a lock held at unload) names on standard error the
// threads still running and where each started, then ends with the tests'
// result.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Only a program that would not end at all waits this long.
constexpr DWORD grace = 20000; // ms

// ntdll's query of a thread's start address (information class 9), found
// before it is needed: finding it takes the loader lock.
using Threadquery = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int startAddressClass = 9;
Threadquery queryThread = nullptr;

void report(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

// Where a thread started: the file mapped there and the offset into it.
// Nothing here takes the loader lock, which the thread that keeps the
// program from ending may hold.
void reportThread(DWORD id)
{
    void* start = nullptr;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, id);
    if (thread && queryThread)
        queryThread(thread, startAddressClass, &start, sizeof start, nullptr);
    if (thread)
        CloseHandle(thread);
    MEMORY_BASIC_INFORMATION region{};
    char file[MAX_PATH] = "?";
    if (start && VirtualQuery(start, &region, sizeof region))
        GetMappedFileNameA(GetCurrentProcess(), start, file, MAX_PATH);
    const auto offset =
        reinterpret_cast<std::uintptr_t>(start) - reinterpret_cast<std::uintptr_t>(region.AllocationBase);
    char line[MAX_PATH + 100];
    std::snprintf(line, sizeof line, "  thread %lu started at %p: %s+0x%llx\n", id, start, file,
                  static_cast<unsigned long long>(offset));
    report(line);
}

DWORD WINAPI watch(void* result)
{
    Sleep(grace);
    report("The test program has not ended 20 s after its tests; its threads besides this report's:\n");
    HANDLE threads = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(threads, &entry); more; more = Thread32Next(threads, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId() && entry.th32ThreadID != GetCurrentThreadId())
            reportThread(entry.th32ThreadID);
    CloseHandle(threads);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(reinterpret_cast<std::uintptr_t>(result)));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    queryThread = reinterpret_cast<Threadquery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    if (HANDLE watcher =
            CreateThread(nullptr, 0, watch, reinterpret_cast<void*>(static_cast<std::uintptr_t>(result)), 0, nullptr))
        CloseHandle(watcher);
    return result;
}
