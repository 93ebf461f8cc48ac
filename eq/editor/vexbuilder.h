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
    // The editor's images and controls join gui; the parameters join vex.
    Vexbuilder(Vexgui& gui, Vex& vex) : gui(gui), vex(vex) {}

    void build();

private:
    // Appends parameter `parameter` of the table, whose live value sits at
    // its slot in the edit buffer; a null readout means the default one.
    void addParameter(const std::string& name, int parameter, const Framework::Map* map,
                      const Framework::Readout* readout, bool automatable = true);

    Vexgui& gui;
    Vex& vex;
    const Framework::Readout* defaultReadout = nullptr;
};
