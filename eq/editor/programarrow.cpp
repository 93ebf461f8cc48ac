#include "programarrow.h"

#include "layout.h"

#include "framework/gui/blendcell.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/presetbrowser.h"
#include "framework/gui/skinbitmap.h"

Programarrow::Programarrow(int x, int y, int delta, Framework::Presetbrowser& browser, Framework::Skinbitmap& pill,
                           Framework::Pixelfont& font)
    : Lockable(x, y), delta(delta), browser(browser), pill(pill), font(font)
{
}

void Programarrow::draw(Framework::Igui& gui, bool& visible, int&, int&, int&, int&)
{
    if (!isDisplayed(gui, visible))
        return;
    Framework::Window& surface = gui.surface();
    const int half = width() / 2;
    blendCell(surface, &pill, 0, 0, half, height(), x, y);
    blendCell(surface, &pill, pill.width() - (width() - half), 0, width() - half, height(), x + half, y);
    drawText(delta < 0 ? "<" : ">", font, surface, x + (width() - font.glyphWidth) / 2,
             y + Layout::statusY - Layout::statusBackY, 1, 0);
}

void Programarrow::press(Framework::Igui&, bool&, Framework::Mouseevent& event)
{
    if (event.code == Framework::Mouse::leftDown || event.code == Framework::Mouse::leftDouble)
        browser.step(delta);
}

int Programarrow::width()
{
    return Layout::arrowW;
}

int Programarrow::height()
{
    return Layout::statusH;
}
