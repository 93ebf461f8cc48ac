// The compare switch beside the status line: a short pill with the letter
// of the live setting, A or B; a click makes the other one live.
#pragma once

#include "framework/gui/lockable.h"

class Vex;

namespace Framework {
class Pixelfont;
class Skinbitmap;
} // namespace Framework

class Comparebutton : public Framework::Lockable {
public:
    // pill: the status line's background, whose ends make the short pill.
    Comparebutton(int x, int y, Vex& vex, Framework::Skinbitmap& pill, Framework::Pixelfont& font);

    void draw(Framework::Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    std::string describe() override { return "Compare A/B"; }
    // The live setting's letter and the other's, which a click brings.
    std::string hint() override;
    // Each left press switches, a quick second one too.
    void press(Framework::Igui& gui, bool& visible, Framework::Mouseevent& event) override;
    void mouseAction(Framework::Igui&, bool&, Framework::Mouseevent&) override {}
    int width() override;
    int height() override;

private:
    Vex& vex;
    Framework::Skinbitmap& pill;
    Framework::Pixelfont& font;
};
