// The seven-band stereo equalizer behind the host adapter.
#pragma once

#include "framework/plugin/plugin.h"

class Vexgui;

class alignas(16) Vex : public Framework::Plugin {
public:
    Vex(Framework::Settingsfile& settings, Framework::Host& host, Vexgui& gui);
};
