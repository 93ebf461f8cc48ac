#include "vexbuilder.h"

#include "eq/vex.h"

#include <memory>

void Vexbuilder::build()
{
    // Band k owns indices 5(k-1) to 5(k-1)+4.
    for (int band = 0; band < 7; ++band) {
        const std::string number = std::to_string(band + 1);
        addParameter(number + " on/off", band);
        addParameter(number + " f", band);
        addParameter(number + " q", band);
        addParameter(number + " g", band);
        addParameter(number + " type", band);
    }
    addParameter("zoom", -1, false);
    addParameter("curve +-", -1);
    addParameter("main vol", -1);
    addParameter("out mode", -1);
}

int Vexbuilder::addParameter(const std::string& name, int group, bool automatable)
{
    auto descriptor = std::make_unique<Framework::Paramdescriptor>();
    descriptor->name = name;
    descriptor->group = group;
    descriptor->automatable = automatable;
    return vex.addParameter(std::move(descriptor));
}
