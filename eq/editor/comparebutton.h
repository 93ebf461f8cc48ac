// The compare switch beside the status line: a short pill with the letter
// of the live setting, A or B; a click makes the other one live.
#pragma once

#include "pillbutton.h"

class Vex;

class Comparebutton : public Pillbutton {
public:
    Comparebutton(int x, int y, Vex& vex, Framework::Skinbitmap& pill, Framework::Pixelfont& font);

    std::string describe() override { return "Compare A/B"; }
    // The live setting's letter and the other's, which a click brings.
    std::string hint() override;

private:
    const char* label() override;
    void pressed(Framework::Igui& gui) override;

    Vex& vex;
};
