// The module's exported entry point.
#pragma once

#include "framework/vst/aeffect.h"

// Asks the host for its VST version and answers the AEffect of a new effect
// instance, or null when the host answers 0 or no instance can be made.
extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);
