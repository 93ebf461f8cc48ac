#include "programarrow.h"

#include "layout.h"

#include "framework/gui/presetbrowser.h"

Programarrow::Programarrow(int x, int y, int delta, Framework::Presetbrowser& browser, Framework::Skinbitmap& pill,
                           Framework::Pixelfont& font)
    : Pillbutton(x, y, Layout::arrowW, pill, font), delta(delta), browser(browser)
{
}

void Programarrow::pressed(Framework::Igui&)
{
    browser.step(delta);
}
