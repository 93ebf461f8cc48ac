// How the editor writes a band's values: the status line and the display's
// readout share these, so a value reads the same wherever it shows.
#pragma once

#include <string>

namespace Bandtext {

// Three significant digits: "52.3 Hz", "523 Hz", "5.23 kHz", "12.5 kHz".
std::string frequency(double hertz);
// One decimal with its sign: "+3.0 dB", "-12.5 dB", "0.0 dB".
std::string gain(double decibels);
// Two decimals below 10, one below 100, none above.
std::string q(double q);
// "1.00 oct".
std::string octaves(double octaves);
// "12 dB/oct" for a pass filter's slope step (0 to 3).
std::string slope(int step);
// A band's filter by its type value (0 to 2), short ("lo sh") or whole
// ("low shelf"): the first band's type 0 is its high-pass, the last band's
// type 2 its low-pass.
std::string kind(int band, double type, bool whole);
// Whether a band of that type is a high-pass or a low-pass: it has no gain
// and no width.
bool isPass(int band, double type);

} // namespace Bandtext
