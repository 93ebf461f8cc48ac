// The factory presets as a readable text list, turned into program records.
//
// A preset is a "[Name]" line followed by setting lines:
//   band N = on|off KIND FREQUENCY GAIN WIDTH [PLACE] [SLOPE]
//            (N 1..7; Hz, dB, width 0..1; PLACE ST|L|R|M|S, where the band
//            acts; SLOPE 12dB|24dB|36dB|48dB, for a highpass or lowpass)
//   volume = DB            curve = SCALE (-1..1)
//   zoom = DB (3..36)      mode = ST|L|M|R
// KIND is what the band does: bell, lowshelf (bands 1-6), highshelf
// (bands 2-7), highpass (band 1) or lowpass (band 7). Bands and settings a
// preset leaves out keep the defaults. "#" starts a comment line.
#pragma once

#include "eq/vexprogram.h"

#include <string>
#include <vector>

class Presetlist {
public:
    // Parses the list; on a mistake answers false with the line and reason.
    bool parse(const std::string& text);

    const std::vector<Vexprogram>& programs() const { return list; }
    const std::string& error() const { return problem; }
    // The file name of preset index: its number and name, "01 Flat.fxp".
    std::string fileName(std::size_t index) const;

private:
    bool setting(Vexprogram& program, const std::string& key, const std::string& value);
    bool band(Vexprogram& program, int number, const std::string& value);

    std::vector<Vexprogram> list;
    std::string problem;
};
