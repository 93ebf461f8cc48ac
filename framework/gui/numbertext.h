// Numbers typed by the user: which texts count as a number, and the number
// a text starts with, read with a point or a comma as decimal separator
// whatever locale the host process runs in.
#pragma once

#include <string>

namespace Framework {

// Not empty; only the characters 0-9 . , + -; "." and "," together at most
// once; the first "+" and the first "-", if any, at the start. Only those
// first signs are judged: "--5" passes, "5-" and "+-5" do not.
bool isNumberText(const std::string& text);

// The decimal number text starts with (sign, digits, point or comma, fraction),
// reading up to the first other character; 0 when it starts with none.
double leadingNumber(const std::string& text);

// A typed quantity: a number as isNumberText takes it, with spaces around
// it, then, if unit is not empty, the unit written before or after it in
// any case ("-3 dB", "Q 2"), with "k" for thousands before it when kilo is
// true ("1.2k", "1.2 kHz", "1200 Hz"). Answers false, leaving number
// alone, for any other text.
bool readQuantity(const std::string& text, const std::string& unit, bool kilo, double& number);

} // namespace Framework
