#include "numbertext.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>

namespace Framework {

bool isNumberText(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789.,+-") != std::string::npos)
        return false;
    if (text.find_first_of(".,") != text.find_last_of(".,"))
        return false;
    const std::size_t plus = text.find('+'), minus = text.find('-');
    return (plus == std::string::npos || plus == 0) && (minus == std::string::npos || minus == 0);
}

double leadingNumber(const std::string& typed)
{
    // A decimal comma, as much of Europe types it, is a decimal point.
    std::string text = typed;
    std::replace(text.begin(), text.end(), ',', '.');
    const char* first = text.data();
    const char* last = first + text.size();
    // from_chars takes a minus but no plus; a sign must be followed by the number.
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-')
            return 0.0;
    }
    double number = 0.0;
    const auto result = std::from_chars(first, last, number, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Without an exponent: too many integer digits overflow, too many
        // zeros after the point underflow.
        const bool negative = *first == '-';
        const std::string digits(first, result.ptr);
        const bool huge = digits.find_first_of("123456789") < digits.find('.');
        return (huge ? HUGE_VAL : 0.0) * (negative ? -1.0 : 1.0);
    }
    return result.ec == std::errc() ? number : 0.0;
}

namespace {

std::string lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Removes the spaces at both ends.
std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Removes ending from text when text ends with it.
bool cutEnd(std::string& text, const std::string& ending)
{
    if (ending.empty() || text.size() < ending.size() ||
        text.compare(text.size() - ending.size(), ending.size(), ending) != 0)
        return false;
    text.erase(text.size() - ending.size());
    return true;
}

} // namespace

bool readQuantity(const std::string& typed, const std::string& unit, bool kilo, double& number)
{
    std::string text = lowered(trimmed(typed));
    const std::string name = lowered(unit);
    if (!name.empty() && text.compare(0, name.size(), name) == 0)
        text = trimmed(text.substr(name.size()));
    else if (cutEnd(text, name))
        text = trimmed(text);
    double factor = 1.0;
    if (kilo && cutEnd(text, "k")) {
        factor = 1000.0;
        text = trimmed(text);
    }
    if (!isNumberText(text) || text.find_first_of("0123456789") == std::string::npos)
        return false;
    number = leadingNumber(text) * factor;
    return true;
}

} // namespace Framework
