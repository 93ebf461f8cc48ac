#include "comparebutton.h"

#include "layout.h"

#include "eq/vex.h"

Comparebutton::Comparebutton(int x, int y, Vex& vex, Framework::Skinbitmap& pill, Framework::Pixelfont& font)
    : Pillbutton(x, y, Layout::compareW, pill, font), vex(vex)
{
}

const char* Comparebutton::label()
{
    return vex.liveSetting() == Framework::Programrecords::b ? "B" : "A";
}

void Comparebutton::pressed(Framework::Igui& gui)
{
    vex.switchSetting();
    redraw(gui);
}

std::string Comparebutton::hint()
{
    return vex.liveSetting() == Framework::Programrecords::b ? "Compare: B live, click for A"
                                                             : "Compare: A live, click for B";
}
