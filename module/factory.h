// Creates the equalizer's effect instance for a host.
#pragma once

#include "framework/vst/aeffect.h"
#include "framework/vst/plugininfo.h"

class AudioEffect;

// The effect's version, as the AEffect record and program files carry it.
constexpr VstInt32 vexatoneVersion = 1;

// The description the host is given: counts, identity, names, capabilities.
Framework::Plugininfo vexatoneInfo();

// The new effect instance, or null when it cannot be made.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
