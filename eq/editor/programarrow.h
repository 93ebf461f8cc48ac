// A program arrow left of the status line: a short pill with "<" or ">"; a
// click selects the previous or the next program of the bank.
#pragma once

#include "pillbutton.h"

namespace Framework {
class Presetbrowser;
}

class Programarrow : public Pillbutton {
public:
    // delta: -1 for the previous program, 1 for the next.
    Programarrow(int x, int y, int delta, Framework::Presetbrowser& browser, Framework::Skinbitmap& pill,
                 Framework::Pixelfont& font);

    std::string describe() override { return delta < 0 ? "Previous program" : "Next program"; }
    std::string hint() override { return describe(); }

private:
    const char* label() override { return delta < 0 ? "<" : ">"; }
    void pressed(Framework::Igui& gui) override;

    const int delta;
    Framework::Presetbrowser& browser;
};
