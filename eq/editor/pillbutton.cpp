#include "pillbutton.h"

#include "layout.h"

#include "framework/gui/blendcell.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/skinbitmap.h"

Pillbutton::Pillbutton(int x, int y, int width, Framework::Skinbitmap& pill, Framework::Pixelfont& font)
    : Lockable(x, y), pillWidth(width), pill(pill), font(font)
{
}

void Pillbutton::draw(Framework::Igui& gui, bool& visible, int&, int&, int&, int&)
{
    if (!isDisplayed(gui, visible))
        return;
    Framework::Window& surface = gui.surface();
    const int half = pillWidth / 2;
    blendCell(surface, &pill, 0, 0, half, height(), x, y);
    blendCell(surface, &pill, pill.width() - (pillWidth - half), 0, pillWidth - half, height(), x + half, y);
    drawText(label(), font, surface, x + (pillWidth - font.glyphWidth) / 2, y + Layout::statusY - Layout::statusBackY,
             1, 0);
}

void Pillbutton::press(Framework::Igui& gui, bool&, Framework::Mouseevent& event)
{
    if (event.code == Framework::Mouse::leftDown || event.code == Framework::Mouse::leftDouble)
        pressed(gui);
}

int Pillbutton::height()
{
    return Layout::statusH;
}
