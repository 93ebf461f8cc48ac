#include "../filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace Framework {

Filelock::Filelock(const std::string& path)
    : handle(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
{
    if (handle < 0)
        return;
    // Another process holds it for one read and write, milliseconds; one
    // that stopped while holding it is not waited for forever.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(locked = ::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0) &&
           (errno == EWOULDBLOCK || errno == EINTR) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

Filelock::~Filelock()
{
    if (handle >= 0)
        ::close(static_cast<int>(handle)); // lets the lock go
}

} // namespace Framework
