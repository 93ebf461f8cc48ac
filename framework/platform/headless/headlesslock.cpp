#include "../lock.h"

#include <mutex>

namespace Framework {

struct Lock::Native {
    std::recursive_mutex mutex;
};

Lock::Lock() : native(new Native) {}

Lock::~Lock() = default;

void Lock::enter()
{
    native->mutex.lock();
}

bool Lock::tryEnter()
{
    return native->mutex.try_lock();
}

void Lock::leave()
{
    native->mutex.unlock();
}

} // namespace Framework
