// What every fuzz target shares: the effect made as a host makes it, in a
// folder of its own, and the invariants its audio and parameters keep.
#pragma once

#include "common/fakehost.h"
#include "framework/vst/aeffect.h"
#include "module/entry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <vector>

namespace Fuzzing {

// Stops the run with a message; libFuzzer keeps the input that did it.
[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline VstIntPtr call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                      float opt = 0.0f)
{
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// A new effect from the entry point, as a host gets it.
inline AEffect* open()
{
    Fakehost::reset();
    AEffect* e = VSTPluginMain(Fakehost::callback);
    if (!e)
        fail("the entry point gave no effect");
    call(e, effOpen);
    return e;
}

// Runs frames of a finite test signal through the effect; every output
// sample must be finite and every parameter within 0..1.
inline void checkAudioAndParameters(AEffect* e, int frames)
{
    std::vector<float> left(static_cast<std::size_t>(frames) + 1), right(left.size());
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] = static_cast<float>(0.5 * std::sin(0.07 * static_cast<double>(i)));
        right[i] = i % 2 ? 0.25f : -0.25f;
    }
    float* channels[] = {left.data(), right.data()};
    e->processReplacing(e, channels, channels, frames);
    for (int i = 0; i < frames; ++i)
        if (!std::isfinite(left[static_cast<std::size_t>(i)]) || !std::isfinite(right[static_cast<std::size_t>(i)]))
            fail("an output sample is not finite");
    for (VstInt32 i = 0; i < e->numParams; ++i) {
        const float value = e->getParameter(e, i);
        if (!(value >= 0.0f && value <= 1.0f))
            fail("a parameter left 0..1");
    }
}

} // namespace Fuzzing
