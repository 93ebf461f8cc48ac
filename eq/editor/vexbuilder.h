// Builds the equalizer's parameters, in index order, and its editor.
#pragma once

#include <string>

class Vex;
class Vexgui;

class Vexbuilder {
public:
    Vexbuilder(Vexgui& /*gui*/, Vex& vex) : vex(vex) {}

    void build();

private:
    int addParameter(const std::string& name, int group, bool automatable = true);

    Vex& vex;
};
