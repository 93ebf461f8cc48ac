#include "vexgui.h"

#include "layout.h"

#include "eq/vexparameters.h"
#include "framework/gui/multiparamctrl.h"
#include "framework/gui/textfield.h"

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

void Vexgui::valueChanged(int index, Framework::Paramset& set)
{
    Gui::valueChanged(index, set);
    if (statusField && &set != &state && (Vexparameters::bandOf(index) >= 0 || index == Vexparameters::curve))
        statusField->redraw(*this);
}
