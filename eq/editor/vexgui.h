// The equalizer's editor: an 800 by 380 pixel window over the settings store.
#pragma once

namespace Framework {
class Settingsfile;
}

class Vexgui {
public:
    explicit Vexgui(Framework::Settingsfile& /*settings*/) {}

    int width() const { return 800; }
    int height() const { return 380; }
};
