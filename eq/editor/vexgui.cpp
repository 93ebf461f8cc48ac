#include "vexgui.h"

#include "layout.h"
#include "listfile.h"

#include "eq/analyzerfeed.h"
#include "eq/vexdisplay.h"
#include "eq/vexparameters.h"
#include "framework/gui/multiparamctrl.h"
#include "framework/plugin/settingsfile.h"

#include <algorithm>
#include <iterator>

namespace {

// The analyzer's setting, indexed by its taps.
constexpr const char* analyzerValues[] = {"off", "input", "output", "both"};

} // namespace

Vexgui::Vexgui(Framework::Settingsfile& settings) : Gui(settings, Layout::width, Layout::height)
{
    addSkinListener(this);
}

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
    if (&set == &state)
        return;
    const int band = Vexparameters::bandOf(index);
    // The compare switch beside it too: an undone switch changes its letter.
    if (band >= 0 || index == Vexparameters::curve)
        invalidate(Layout::statusX, Layout::statusBackY, Layout::compareX + Layout::compareW - Layout::statusX,
                   Layout::statusH);
    // A placement or a slope shows on the curves, the band's switch and its
    // type selector, whose controls are bound to other parameters.
    if (band >= 0 && index >= Vexparameters::firstPlacement) {
        invalidate(Layout::displayX, Layout::displayY, Layout::displayW, Layout::displayH);
        invalidate(Layout::switchLeft(band), Layout::switchY, Layout::switchW, Layout::switchH);
        invalidate(Layout::selectorLeft(band), Layout::selectorY, Layout::selectorW, Layout::selectorH);
    }
}

void Vexgui::skinChanged(const std::string& folder)
{
    const Listfile colours(folder + "colors.txt");
    hint().setColours({colours.colour("hint", 0), colours.colour("hint-edge", 0)});
}

void Vexgui::tell(const std::string& text)
{
    if (!statusLine)
        return;
    statusLine->tell(text);
    invalidate(Layout::statusX, Layout::statusBackY, Layout::statusW, Layout::statusH);
}

void Vexgui::addSettings()
{
    Gui::addSettings();
    settings.add("analyzer", analyzerValues[Analyzerfeed::output]);
}

void Vexgui::connectAnalyzer(Analyzerfeed& source, Vexdisplay& display)
{
    feed = &source;
    equalizer = &display;
    analysis.connect(source);
}

// A value the settings file holds but that names no choice reads as the
// default.
unsigned Vexgui::analyzer() const
{
    const std::string value = settings.get("analyzer");
    for (unsigned taps = 0; taps < std::size(analyzerValues); ++taps)
        if (value == analyzerValues[taps])
            return taps;
    return Analyzerfeed::output;
}

void Vexgui::setAnalyzer(unsigned taps)
{
    if (taps >= std::size(analyzerValues))
        return;
    remember("analyzer", analyzerValues[taps]);
    if (feeding)
        feedAnalyzer();
    invalidate(Layout::displayX, Layout::displayY, Layout::displayW, Layout::displayH);
}

void Vexgui::feedAnalyzer()
{
    const unsigned taps = analyzer();
    if (taps)
        feed->start(taps);
    else
        feed->stop();
    analysis.show(taps);
    feeding = true;
}

void Vexgui::timerTick()
{
    Gui::timerTick();
    // A window the host hides (without closing the editor) costs nothing.
    if (!feed || !isVisible())
        return;
    if (!feeding)
        feedAnalyzer();
    if (++ticks % 2 == 0 && analysis.frame(equalizer->designRate() / 2.0))
        invalidate(Layout::displayX, Layout::displayY, Layout::displayW, Layout::displayH);
}

void Vexgui::closing()
{
    Gui::closing();
    // Nothing the editor began is heard once it is gone.
    if (equalizer)
        equalizer->listen(Solo::none);
    if (feed)
        feed->stop();
    feeding = false;
}
