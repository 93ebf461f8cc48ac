#include "vexgui.h"

#include "layout.h"

#include "eq/vexparameters.h"
#include "framework/gui/multiparamctrl.h"

#include <algorithm>

Vexgui::Vexgui(Framework::Settingsfile& settings) : Gui(settings, Layout::width, Layout::height) {}

// The window goes first: nothing may draw or route the mouse to the tree
// while the editor's own members are destroyed.
Vexgui::~Vexgui()
{
    close();
}

void Vexgui::Uistate::setNormalized(double value, int, bool)
{
    shown.store(value > 0.0, std::memory_order_relaxed);
    gui.valueChanged(aboutIndex, *this);
}

void Vexgui::componentRedrawn(Framework::Uicomp* component)
{
    if (!component || !curveControl)
        return;
    const bool changesCurve = component == zoomControl || component == curveScaleControl ||
                              std::find(typeControls.begin(), typeControls.end(), component) != typeControls.end();
    if (changesCurve)
        curveControl->redraw(*this);
}

// Any thread may tell of a change: the status line's rectangle comes from
// the layout, never from a skin image the editor's thread may be loading.
void Vexgui::valueChanged(int index, Framework::Paramset& set)
{
    Gui::valueChanged(index, set);
    if (&set != &state && (Vexparameters::bandOf(index) >= 0 || index == Vexparameters::curve))
        invalidate(Layout::statusX, Layout::statusBackY, Layout::statusW, Layout::statusH);
}

void Vexgui::tell(const std::string& text)
{
    if (!statusLine)
        return;
    statusLine->tell(text);
    invalidate(Layout::statusX, Layout::statusBackY, Layout::statusW, Layout::statusH);
}
