// Builds the equalizer's parameters from its parameter table, in index
// order, and its editor: the skin images, the widgets, the layout and the
// "Options" menu. Used
// once while the plug-in is made; what it creates belongs to the editor and
// the equalizer.
#pragma once

#include "eq/vexparameters.h"
#include "framework/plugin/paramdescriptor.h"

#include <array>
#include <map>
#include <memory>
#include <string>

class Vex;
class Vexgui;

namespace Framework {
class Dbinput;
class Hstack;
class Knob;
class Map;
class Pixelfont;
class Readout;
class Selector;
class Skinbitmap;
class Slider;
class Choiceswitch;
class Systemmenu;
class Togglerectangle;
class Variantstack;
} // namespace Framework

class Vexbuilder {
public:
    // The editor's images and controls join gui; the parameters join vex.
    Vexbuilder(Vexgui& gui, Vex& vex) : gui(gui), vex(vex) {}

    void build();

private:
    // The widgets and readouts the controls and parameters share.
    void makeResources();
    void makeParameters();
    // The map of a row; null for the default one.
    const Framework::Map* mapOf(const Vexparameters::Mapping& mapping);
    // The readout of a row's text for a parameter of band (-1 for none).
    const Framework::Readout* readoutOf(Vexparameters::Text text, int band) const;
    void layOut();
    std::unique_ptr<Framework::Systemmenu> optionsMenu();
    // Appends parameter `parameter` of the table, whose live value sits at
    // its slot in the edit buffer; a null readout means the default one.
    void addParameter(const std::string& name, int parameter, const Framework::Map* map,
                      const Framework::Readout* readout, bool automatable = true);

    Vexgui& gui;
    Vex& vex;
    std::map<std::string, Framework::Skinbitmap*> images;
    Framework::Pixelfont* font = nullptr;
    Framework::Knob* knob = nullptr;
    Framework::Variantstack* lowTypes = nullptr;
    Framework::Hstack* middleTypes = nullptr;
    Framework::Variantstack* highTypes = nullptr;
    Framework::Dbinput* volumeEntry = nullptr;
    Framework::Slider* volumeSlider = nullptr;
    Framework::Selector* outputs = nullptr;
    Framework::Togglerectangle* veil = nullptr;
    std::array<Framework::Choiceswitch*, Vexparameters::bandCount> switches{};
    const Framework::Readout* onOffText = nullptr;
    const Framework::Readout* gainText = nullptr;
    const Framework::Readout* defaultReadout = nullptr;
    std::array<const Framework::Readout*, 3> typeTexts{};
    const Framework::Readout* outputText = nullptr;
    const Framework::Readout* volumeText = nullptr;
    const Framework::Readout* placementText = nullptr;
    const Framework::Readout* slopeText = nullptr;
};
