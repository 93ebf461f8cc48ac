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

} // namespace Framework
