// One start of GDI+ for as long as the object lives. The images of this
// module can be decoded only while at least one session runs.
#pragma once

#include <cstdint>

namespace Framework {

class Gdiplussession {
public:
    Gdiplussession() = default;
    ~Gdiplussession();
    Gdiplussession(const Gdiplussession&) = delete;
    Gdiplussession& operator=(const Gdiplussession&) = delete;

    // Starts GDI+ (version 1) unless started; true when it runs.
    bool start();
    bool started() const { return token != 0; }

    // Some session of this module runs. Any thread.
    static bool anyRunning();

private:
    std::uintptr_t token = 0;
};

} // namespace Framework
