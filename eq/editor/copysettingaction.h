// The Options menu's "Copy A to B" and "Copy B to A": the live setting
// becomes the other one too. Each is available only while its source is
// the live setting.
#pragma once

#include "framework/gui/action.h"
#include "framework/plugin/programrecords.h"

class Vex;

class Copysettingaction : public Framework::Action {
public:
    Copysettingaction(Vex& vex, Framework::Programrecords::Live from) : vex(vex), from(from) {}

    void execute() override;
    bool available() const override;

private:
    Vex& vex;
    const Framework::Programrecords::Live from;
};
