// Keeps subnormal numbers out of the audio path for its lifetime: sets the
// SSE flush-to-zero and denormals-are-zero bits and restores the host's
// control word afterwards.
#pragma once

#include <xmmintrin.h>

namespace Framework {

class Denormalguard {
public:
    Denormalguard() : saved(_mm_getcsr()) { _mm_setcsr(saved | flushToZero | denormalsAreZero); }
    ~Denormalguard() { _mm_setcsr(saved); }
    Denormalguard(const Denormalguard&) = delete;
    Denormalguard& operator=(const Denormalguard&) = delete;

private:
    static constexpr unsigned flushToZero = 0x8000;
    static constexpr unsigned denormalsAreZero = 0x0040;
    const unsigned saved;
};

} // namespace Framework
