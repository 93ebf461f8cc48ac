#include "vexbuilder.h"

#include "eq/vex.h"
#include "framework/plugin/linmap.h"
#include "framework/plugin/log10map.h"
#include "framework/plugin/numberformat.h"
#include "framework/plugin/readouts.h"
#include "vexgui.h"

#include <cmath>

using namespace Framework;
using namespace Vexparameters;

void Vexbuilder::build()
{
    gui.setBackground("background.png");
    const Readout* onOff = vex.addReadout(std::make_unique<Switchreadout>("off", "on"));
    const Readout* gainText = vex.addReadout(std::make_unique<Unitsreadout>("dB", 1, 0.0));
    defaultReadout = vex.addReadout(std::make_unique<Realvaluereadout>(1));
    const Readout* lowBandTypes =
        vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"hp", "bell", "hi sh"}));
    const Readout* middleBandTypes =
        vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"low sh", "bell", "hi sh"}));
    const Readout* highBandTypes =
        vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"low sh", "bell", "lp"}));
    const Readout* outputs =
        vex.addReadout(std::make_unique<Selectionreadout>(std::vector<std::string>{"ST", "L", "M", "R"}));
    const Readout* volumeText = vex.addReadout(std::make_unique<Dbreadout>(1));

    const Map* frequencies = vex.addMap(std::make_unique<Log10map>(vex.frequencyMap.min, vex.frequencyMap.max));
    for (int b = 0; b < bandCount; ++b) {
        const std::string number = formatInt(b + 1);
        const Readout* types = b == 0 ? lowBandTypes : b == bandCount - 1 ? highBandTypes : middleBandTypes;
        addParameter(number + " on/off", index(b, on), nullptr, onOff);
        addParameter(number + " f", index(b, frequency), frequencies, nullptr);
        addParameter(number + " q", index(b, width), nullptr, nullptr);
        addParameter(number + " g", index(b, gain), vex.addMap(std::make_unique<Linmap>(-36.0, 36.0)), gainText);
        addParameter(number + " type", index(b, type), vex.addMap(std::make_unique<Linmap>(0.0, 2.0)), types);
    }
    addParameter("zoom", zoom, vex.addMap(std::make_unique<Linmap>(3.0, 36.0)), nullptr, false);
    addParameter("curve +-", curve, vex.addMap(std::make_unique<Linmap>(-1.0, 1.0)), nullptr);
    addParameter("main vol", volume, vex.addMap(std::make_unique<Log10map>(std::pow(10.0, -1.8), std::pow(10.0, 0.6))),
                 volumeText);
    addParameter("out mode", mode, vex.addMap(std::make_unique<Linmap>(0.0, 3.0)), outputs);
}

void Vexbuilder::addParameter(const std::string& name, int parameter, const Map* map, const Readout* readout,
                              bool automatable)
{
    auto descriptor = std::make_unique<Paramdescriptor>();
    descriptor->map = map;
    descriptor->readout = readout ? readout : defaultReadout;
    descriptor->slot = slot(parameter);
    descriptor->value = &vex.edited().values[descriptor->slot];
    descriptor->group = bandOf(parameter);
    descriptor->name = name;
    descriptor->automatable = automatable;
    vex.addParameter(std::move(descriptor));
}
