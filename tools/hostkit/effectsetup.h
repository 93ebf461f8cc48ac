// What our hosts do to an effect before they use it, through its AEffect
// record alone, so the Windows host and the headless tools agree.
#pragma once

#include "renderoptions.h"

#include "framework/vst/aeffect.h"

#include <string>

// The four characters of an effect ID, '?' for those that do not print.
std::string fourCC(VstInt32 id);

// The index of the parameter of that name, or -1.
int parameterIndex(AEffect& effect, const std::string& name);

// Applies the program, then the preset, then each setting, as given; throws
// std::runtime_error for a program, preset or name the effect does not have.
void configure(AEffect& effect, const Renderoptions& options);

// Makes folder the user's folders of this process for the plug-in (its
// application data on Windows, the XDG folders elsewhere), before it loads;
// nothing for an empty folder.
void useHome(const std::string& folder);
