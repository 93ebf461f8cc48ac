#include "../lock.h"

#include <windows.h>

namespace Framework {

struct Lock::Native {
    CRITICAL_SECTION section;
};

Lock::Lock() : native(new Native)
{
    InitializeCriticalSection(&native->section);
}

Lock::~Lock()
{
    DeleteCriticalSection(&native->section);
}

void Lock::enter()
{
    EnterCriticalSection(&native->section);
}

bool Lock::tryEnter()
{
    return TryEnterCriticalSection(&native->section) != 0;
}

void Lock::leave()
{
    LeaveCriticalSection(&native->section);
}

} // namespace Framework
