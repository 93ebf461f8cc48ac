#include "vexgui.h"

#include "layout.h"

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
    shown = value > 0.0;
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
