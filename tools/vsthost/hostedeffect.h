// A VST 2.x effect loaded from its DLL and opened, as a host holds it: the
// version handshake, the dispatcher calls a host makes, processing, and the
// orderly close (suspend, effClose, FreeLibrary or dlclose) when it goes.
#pragma once

#include "framework/vst/aeffect.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <string>

class Hostedeffect {
public:
    // Loads and opens the effect; throws std::runtime_error when the DLL does
    // not load or hands out no usable effect.
    explicit Hostedeffect(const std::string& path);
    ~Hostedeffect();
    Hostedeffect(const Hostedeffect&) = delete;
    Hostedeffect& operator=(const Hostedeffect&) = delete;

    const AEffect& effect() const { return *aeffect; }
    AEffect& effect() { return *aeffect; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
    // The text a string opcode writes (names, labels, vendor).
    std::string text(VstInt32 opcode, VstInt32 index = 0);
    // The index of the parameter of that name, or -1.
    int parameterIndex(const std::string& name);
    void setParameter(int index, float value);
    float getParameter(int index);

    // effMainsChanged; the effect is suspended before it closes.
    void resume();
    void suspend();
    // processReplacing; only for an effect that has it.
    void process(float** inputs, float** outputs, VstInt32 frames);

private:
#if defined(_WIN32)
    HMODULE module = nullptr;
#else
    void* module = nullptr; // dlopen's handle
#endif
    AEffect* aeffect = nullptr;
    bool running = false;
};
