// A host callback that records every call an effect makes to its host.
#pragma once

#include "framework/vst/aeffect.h"

#include <vector>

struct Hostcall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

namespace Fakehost {

// The callback to hand an effect. It answers audioMasterVersion with the
// version set by reset, and, for a host that resizes, canDo "sizeWindow" and
// audioMasterSizeWindow with 1; every other request with 0.
VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

// Forgets the recorded calls and sets the answer to the version query.
void reset(VstIntPtr version = 2400);
// Whether the host resizes its editor window when asked; no until reset.
void resizes(bool resizing);
// Whether the host sends each automated value straight back through
// setParameter, on the thread that automated it, as some hosts do; no until reset.
void echoes(bool echoing);

const std::vector<Hostcall>& calls();
std::vector<Hostcall> callsOf(VstInt32 opcode);

} // namespace Fakehost
