#include "allocations.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local long counted = 0;

} // namespace

void* operator new(std::size_t size)
{
    if (counting)
        ++counted;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace Allocations {

void start()
{
    counted = 0;
    counting = true;
}

long stop()
{
    counting = false;
    return counted;
}

} // namespace Allocations
