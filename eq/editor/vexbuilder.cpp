#include "vexbuilder.h"

#include "eq/vex.h"
#include "framework/gui/numberformat.h"
#include "framework/gui/readouts.h"
#include "framework/plugin/linmap.h"
#include "framework/plugin/log10map.h"
#include "vexgui.h"

#include <cmath>

using namespace Framework;

void Vexbuilder::build()
{
    const Readout* onOff = gui.addResource(std::make_unique<Switchreadout>("off", "on"));
    const Readout* gain = gui.addResource(std::make_unique<Unitsreadout>("dB", 1, 0.0));
    defaultReadout = gui.addResource(std::make_unique<Realvaluereadout>(1));
    const Readout* lowBandTypes =
        gui.addResource(std::make_unique<Selectionreadout>(std::vector<std::string>{"hp", "bell", "hi sh"}));
    const Readout* middleBandTypes =
        gui.addResource(std::make_unique<Selectionreadout>(std::vector<std::string>{"low sh", "bell", "hi sh"}));
    const Readout* highBandTypes =
        gui.addResource(std::make_unique<Selectionreadout>(std::vector<std::string>{"low sh", "bell", "lp"}));
    const Readout* outputs =
        gui.addResource(std::make_unique<Selectionreadout>(std::vector<std::string>{"ST", "L", "M", "R"}));
    const Readout* volume = gui.addResource(std::make_unique<Dbreadout>(1));

    const Map* frequency = vex.addMap(std::make_unique<Log10map>(vex.frequencyMap.min, vex.frequencyMap.max));
    for (int b = 0; b < Vex::bandCount; ++b) {
        const std::string number = formatInt(b + 1);
        const Readout* types = b == 0 ? lowBandTypes : b == Vex::bandCount - 1 ? highBandTypes : middleBandTypes;
        addParameter(number + " on/off", 5 * b + 3, nullptr, onOff, b);
        addParameter(number + " f", 5 * b + 0, frequency, nullptr, b);
        addParameter(number + " q", 5 * b + 2, nullptr, nullptr, b);
        addParameter(number + " g", 5 * b + 1, vex.addMap(std::make_unique<Linmap>(-36.0, 36.0)), gain, b);
        addParameter(number + " type", 5 * b + 4, vex.addMap(std::make_unique<Linmap>(0.0, 2.0)), types, b);
    }
    vex.zoomIndex = addParameter("zoom", 37, vex.addMap(std::make_unique<Linmap>(3.0, 36.0)), nullptr, -1, false);
    vex.curveIndex = addParameter("curve +-", 36, vex.addMap(std::make_unique<Linmap>(-1.0, 1.0)), nullptr);
    addParameter("main vol", 35, vex.addMap(std::make_unique<Log10map>(std::pow(10.0, -1.8), std::pow(10.0, 0.6))),
                 volume);
    addParameter("out mode", 38, vex.addMap(std::make_unique<Linmap>(0.0, 3.0)), outputs);
}

int Vexbuilder::addParameter(const std::string& name, int slot, const Map* map, const Readout* readout, int group,
                             bool automatable)
{
    auto descriptor = std::make_unique<Paramdescriptor>();
    descriptor->map = map;
    descriptor->readout = readout ? readout : defaultReadout;
    descriptor->value = &vex.edited().values[slot];
    descriptor->target = *descriptor->value;
    descriptor->group = group;
    descriptor->name = name;
    descriptor->automatable = automatable;
    return vex.addParameter(std::move(descriptor));
}
