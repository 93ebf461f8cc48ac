// The equalizer's editor: an 800 by 380 pixel window. The builder fills it;
// these are the controls it redraws together and the about box's state.
#pragma once

#include "eq/vexdisplay.h"
#include "layout.h"
#include "analysis.h"

#include "eq/vexparameters.h"
#include "framework/gui/gui.h"
#include "framework/gui/skinlistener.h"
#include "framework/plugin/paramset.h"

#include <array>
#include <atomic>

namespace Framework {
class Multiparamctrl;
class Presetbrowser;
class Paramctrl;
} // namespace Framework

class Analyzerfeed;
class Vexdisplay;

class Vexgui : public Framework::Gui, private Framework::Skinlistener {
public:
    // The editor's one parameter of its own: whether the about box shows.
    // Every index answers alike; the layout uses aboutIndex.
    class Uistate : public Framework::Paramset {
    public:
        explicit Uistate(Vexgui& gui) : gui(gui) {}
        double getNormalized(int) override { return shown.load(std::memory_order_relaxed) ? 1.0 : 0.0; }
        void setNormalized(double value, int index, bool fromHost) override;
        // Read by whichever thread tells the editor of a change.
        std::atomic<bool> shown{false};

    private:
        Vexgui& gui;
    };
    enum { aboutIndex = 666 };

    explicit Vexgui(Framework::Settingsfile& settings);
    ~Vexgui() override;

    // Turning the zoom or curve knob, or choosing a band type, changes the
    // response curve too.
    void componentRedrawn(Framework::Uicomp* component) override;
    // A band or the curve scale changed: the status line tells of it. A
    // placement or slope redraws what shows it.
    void valueChanged(int index, Framework::Paramset& set) override;
    double fineFactor() override { return 0.25; }
    // Messages go to the status line.
    void tell(const std::string& text) override;

    // Registers "analyzer" after the framework's keys: off, input, output
    // (the default) or both.
    void addSettings() override;
    // Every other tick, about 30 times a second, the analyzer runs a frame
    // and redraws the display when its levels changed.
    void timerTick() override;
    // Closed, the editor lets the audio thread write nothing.
    void closing() override;
    // The equalizer whose signal the analyzer shows.
    void connectAnalyzer(Analyzerfeed& feed, Vexdisplay& display);
    // The analyzer's taps (Analyzerfeed::Tap bits) as the settings hold them.
    unsigned analyzer() const;
    // Chooses the taps: stored in the settings, shown from the next frame.
    void setAnalyzer(unsigned taps);
    const Analysis& analysed() const { return analysis; }

    Uistate& uistate() { return state; }
    Framework::Settingsfile& settingsFile() { return settings; }

    // Set by the builder; the components belong to the tree.
    Framework::Multiparamctrl* curveControl = nullptr;
    Framework::Paramctrl* zoomControl = nullptr;
    Framework::Paramctrl* curveScaleControl = nullptr;
    std::array<Framework::Paramctrl*, Vexparameters::bandCount> typeControls{};
    Vexdisplay* statusLine = nullptr;
    Framework::Presetbrowser* presets = nullptr;

private:
    // The hint takes the readout's colours from the skin's "colors.txt".
    void skinChanged(const std::string& folder) override;
    // Starts the taps the settings name, or stops the feed for none.
    void feedAnalyzer();

    Uistate state{*this};
    Analysis analysis{Layout::displayW};
    Analyzerfeed* feed = nullptr;
    Vexdisplay* equalizer = nullptr;
    bool feeding = false;
    unsigned ticks = 0;
};
