// Builds the equalizer's 39 parameters, in index order, and its editor.
#pragma once

#include "framework/plugin/paramdescriptor.h"

#include <memory>
#include <string>

class Vex;
class Vexgui;

namespace Framework {
class Map;
class Readout;
} // namespace Framework

class Vexbuilder {
public:
    Vexbuilder(Vexgui& gui, Vex& vex) : gui(gui), vex(vex) {}

    void build();

private:
    // Appends a parameter whose live value is program slot `slot` of the
    // edit buffer; a null readout means the default one.
    int addParameter(const std::string& name, int slot, const Framework::Map* map, const Framework::Readout* readout,
                     int group = -1, bool automatable = true);

    Vexgui& gui;
    Vex& vex;
    const Framework::Readout* defaultReadout = nullptr;
};
