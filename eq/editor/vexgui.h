// The equalizer's editor: an 800 by 380 pixel window.
#pragma once

#include "framework/gui/gui.h"

class Vexgui : public Framework::Gui {
public:
    explicit Vexgui(Framework::Settingsfile& settings) : Gui(settings, 800, 380) {}
};
