// A short pill beside the status line, in its look, with one character on
// it; each left press (a quick second one too) acts. The compare switch and
// the program arrows are such pills.
#pragma once

#include "framework/gui/lockable.h"

namespace Framework {
class Pixelfont;
class Skinbitmap;
} // namespace Framework

class Pillbutton : public Framework::Lockable {
public:
    // pill: the status line's background, whose ends make the short pill.
    Pillbutton(int x, int y, int width, Framework::Skinbitmap& pill, Framework::Pixelfont& font);

    void draw(Framework::Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    void press(Framework::Igui& gui, bool& visible, Framework::Mouseevent& event) override;
    void mouseAction(Framework::Igui&, bool&, Framework::Mouseevent&) override {}
    int width() override { return pillWidth; }
    int height() override;

protected:
    // The character shown, and what a press does.
    virtual const char* label() = 0;
    virtual void pressed(Framework::Igui& gui) = 0;

private:
    const int pillWidth;
    Framework::Skinbitmap& pill;
    Framework::Pixelfont& font;
};
