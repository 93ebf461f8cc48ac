// The AEffect record every instance of the plug-in hands its host, checked
// field by field: the native entry test and the DLL test under Wine meet
// the same record.
#pragma once

#include "framework/vst/aeffect.h"

// Adds a test failure for every field that differs from the plug-in's.
void expectEffectRecord(const AEffect& e);
