#include "comparebutton.h"

#include "layout.h"

#include "eq/vex.h"
#include "framework/gui/blendcell.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/skinbitmap.h"

Comparebutton::Comparebutton(int x, int y, Vex& vex, Framework::Skinbitmap& pill, Framework::Pixelfont& font)
    : Lockable(x, y), vex(vex), pill(pill), font(font)
{
}

void Comparebutton::draw(Framework::Igui& gui, bool& visible, int&, int&, int&, int&)
{
    if (!isDisplayed(gui, visible))
        return;
    Framework::Window& surface = gui.surface();
    const int half = width() / 2;
    blendCell(surface, &pill, 0, 0, half, height(), x, y);
    blendCell(surface, &pill, pill.width() - (width() - half), 0, width() - half, height(), x + half, y);
    const char* letter = vex.liveSetting() == Framework::Programrecords::b ? "B" : "A";
    drawText(letter, font, surface, x + (width() - font.glyphWidth) / 2, y + Layout::statusY - Layout::statusBackY, 1,
             0);
}

void Comparebutton::press(Framework::Igui& gui, bool&, Framework::Mouseevent& event)
{
    if (event.code != Framework::Mouse::leftDown && event.code != Framework::Mouse::leftDouble)
        return;
    vex.switchSetting();
    redraw(gui);
}

std::string Comparebutton::hint()
{
    return vex.liveSetting() == Framework::Programrecords::b ? "Compare: B live, click for A"
                                                             : "Compare: A live, click for B";
}

int Comparebutton::width()
{
    return Layout::compareW;
}

int Comparebutton::height()
{
    return Layout::statusH;
}
