#include "presetlist.h"

#include "eq/vex.h"
#include "framework/plugin/fixedtext.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

std::string trim(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The type value that makes a band do `kind`, or -1 where it cannot.
int typeOf(const std::string& kind, int band)
{
    if (kind == "bell")
        return 1;
    if (kind == "highpass" && band == 1)
        return 0;
    if (kind == "lowpass" && band == 7)
        return 2;
    if (kind == "lowshelf" && band <= 6)
        return 2;
    if (kind == "highshelf" && band >= 2)
        return 0;
    return -1;
}

} // namespace

bool Presetlist::band(Vexprogram& program, int number, const std::string& value)
{
    std::istringstream in(value);
    std::string state, kind;
    double frequency = 0, gain = 0, width = 0;
    if (!(in >> state >> kind >> frequency >> gain >> width) || (state != "on" && state != "off"))
        return false;
    const int type = typeOf(kind, number);
    if (type < 0 || frequency < 20 || frequency > 20000 || std::fabs(gain) > 36 || width < 0 || width > 1)
        return false;
    using namespace Vexparameters;
    const int b = number - 1;
    program.values[slot(b, Vexparameters::frequency)] = frequency;
    program.values[slot(b, Vexparameters::gain)] = gain;
    program.values[slot(b, Vexparameters::width)] = width;
    program.values[slot(b, on)] = state == "on" ? 1.0 : 0.0;
    program.values[slot(b, Vexparameters::type)] = type;
    // Then, in any order: where the band acts, and the pass filter's slope.
    const char* places[] = {"ST", "L", "R", "M", "S"};
    const char* slopes[] = {"12dB", "24dB", "36dB", "48dB"};
    for (std::string word; in >> word;) {
        bool known = false;
        for (int p = 0; p < placementCount; ++p)
            if (word == places[p]) {
                program.values[slot(b, placement)] = p;
                known = true;
            }
        const int steepness = kind == "highpass" || kind == "lowpass" ? index(b, slope) : -1;
        for (int s = 0; s < slopeSteps && steepness >= 0; ++s)
            if (word == slopes[s]) {
                program.values[slot(steepness)] = s;
                known = true;
            }
        if (!known)
            return false;
    }
    return true;
}

bool Presetlist::setting(Vexprogram& program, const std::string& key, const std::string& value)
{
    int number = 0;
    char extra = 0;
    if (std::sscanf(key.c_str(), "band %d%c", &number, &extra) == 1)
        return number >= 1 && number <= 7 && band(program, number, value);
    std::istringstream in(value);
    double x = 0;
    if (key == "mode") {
        const char* modes[] = {"ST", "L", "M", "R"};
        for (int m = 0; m < 4; ++m)
            if (value == modes[m]) {
                program.values[Vexparameters::slot(Vexparameters::mode)] = m;
                return true;
            }
        return false;
    }
    if (!(in >> x))
        return false;
    if (key == "volume" && x >= -36 && x <= 12)
        program.values[Vexparameters::slot(Vexparameters::volume)] = std::pow(10.0, x / 20.0);
    else if (key == "curve" && x >= -1 && x <= 1)
        program.values[Vexparameters::slot(Vexparameters::curve)] = x;
    else if (key == "zoom" && x >= 3 && x <= 36)
        program.values[Vexparameters::slot(Vexparameters::zoom)] = x;
    else
        return false;
    return true;
}

bool Presetlist::parse(const std::string& text)
{
    list.clear();
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = trim(line);
        const auto fail = [&](const char* why) {
            problem = "line " + std::to_string(number) + ": " + why;
            return false;
        };
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string name = trim(line.substr(1, line.size() - 2));
            Vexprogram program;
            Vex::defaults(program);
            if (name.empty() || name.size() >= sizeof program.name)
                return fail("a name has 1 to 23 characters");
            Framework::copyText(program.name, name);
            list.push_back(program);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (list.empty() || equals == std::string::npos)
            return fail("expected [name] or key = value");
        if (!setting(list.back(), trim(line.substr(0, equals)), trim(line.substr(equals + 1))))
            return fail("setting out of range or malformed");
    }
    if (list.size() > vexProgramCount) {
        problem = "more presets than the bank holds";
        return false;
    }
    return true;
}

std::string Presetlist::fileName(std::size_t index) const
{
    char number[8];
    std::snprintf(number, sizeof number, "%02u", static_cast<unsigned>(index + 1));
    return std::string(number) + " " + list[index].name + ".fxp";
}
