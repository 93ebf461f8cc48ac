// A program arrow left of the status line: a short pill with "<" or ">"; a
// click selects the previous or the next program of the bank.
#pragma once

#include "framework/gui/lockable.h"

namespace Framework {
class Pixelfont;
class Presetbrowser;
class Skinbitmap;
} // namespace Framework

class Programarrow : public Framework::Lockable {
public:
    // delta: -1 for the previous program, 1 for the next. pill: the status
    // line's background, whose ends make the short pill.
    Programarrow(int x, int y, int delta, Framework::Presetbrowser& browser, Framework::Skinbitmap& pill,
                 Framework::Pixelfont& font);

    void draw(Framework::Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    std::string describe() override { return delta < 0 ? "Previous program" : "Next program"; }
    std::string hint() override { return describe(); }
    // Each left press steps, a quick second one too.
    void press(Framework::Igui& gui, bool& visible, Framework::Mouseevent& event) override;
    void mouseAction(Framework::Igui&, bool&, Framework::Mouseevent&) override {}
    int width() override;
    int height() override;

private:
    const int delta;
    Framework::Presetbrowser& browser;
    Framework::Skinbitmap& pill;
    Framework::Pixelfont& font;
};
