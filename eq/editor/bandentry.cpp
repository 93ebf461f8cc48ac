#include "bandentry.h"

#include "eq/bandwidth.h"
#include "eq/vexparameters.h"
#include "framework/gui/numbertext.h"
#include "framework/gui/window.h"
#include "framework/plugin/paramset.h"

#include <algorithm>
#include <cctype>
#include <cmath>

using namespace Vexparameters;
using Value = Bandreadout::Value;

void Bandentry::open(Framework::Window& surface, const Framework::Editbox::Layout& layout, const std::string& text,
                     Framework::Paramset& parameters, int band, Value which, double fs)
{
    close();
    set = &parameters;
    target = band;
    value = which;
    rate = fs;
    opened = text;
    Framework::Editbox::Owner& owner = *this;
    this->surface = &surface;
    box = std::make_unique<Framework::Editbox>(surface, layout, text, owner);
    if (!box->isOpen())
        close();
}

void Bandentry::close()
{
    box.reset();
    target = -1;
}

void Bandentry::entered(const std::string& text)
{
    double number = 0.0;
    if (set && target >= 0 && text != opened) {
        if (read(text, number))
            write(number);
        else if (surface)
            surface->tell(value == Value::frequency ? "Type a frequency: 1.2 kHz"
                          : value == Value::gain    ? "Type a gain: -3 dB"
                                                    : "Type a Q: 0.7, or 1 oct");
    }
    close();
}

bool Bandentry::read(const std::string& text, double& number) const
{
    using Framework::readQuantity;
    switch (value) {
    case Value::frequency:
        return readQuantity(text, "hz", true, number);
    case Value::gain:
        return readQuantity(text, "db", false, number);
    case Value::width: {
        // Octaves only when named: a bare number is a Q.
        std::string lowered = text;
        for (char& c : lowered)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lowered.find("oct") == std::string::npos)
            return readQuantity(text, "q", false, number);
        if (!readQuantity(text, "oct", false, number))
            return false;
        number = number > 0.0 ? Bandwidth::qOf(number) : HUGE_VAL;
        return true;
    }
    case Value::none:
        break;
    }
    return false;
}

// A Q becomes the width parameter that gives it at the band's gain as
// heard; the other values are written as they read, within their range.
void Bandentry::write(double number)
{
    Framework::Paramset& parameters = *set;
    if (value == Value::width) {
        double values[bandValueCount];
        readBand(
            target, [&parameters](int i) { return parameters.getValue(i); }, values);
        const int i = index(target, width);
        const double normalized = Bandwidth::parameterFor(number, values, target, parameters.getValue(curve), rate);
        parameters.beginEdit(i, Framework::Gesture::entry);
        parameters.setNormalized(normalized, i, false);
        parameters.endEdit(Framework::Gesture::entry);
        return;
    }
    const int i = index(target, value == Value::frequency ? frequency : gain);
    const double held = std::clamp(number, parameters.getMin(i), parameters.getMax(i));
    parameters.beginEdit(i, Framework::Gesture::entry);
    parameters.setValue(held, i, false);
    parameters.endEdit(Framework::Gesture::entry);
    if (held != number && surface) {
        const std::string units = parameters.getUnits(i);
        surface->tell("Held at " + parameters.getText(i) + (units.empty() ? "" : " " + units));
    }
}
