#include "listfile.h"

#include "framework/platform/nativepath.h"

#include <climits>
#include <fstream>
#include <iterator>

namespace {

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// As atoi, without its overflow: leading white space, a sign, the digits up
// to the first other character; no digits give 0, too many the int's limit.
int numberOf(const std::string& item)
{
    std::size_t i = 0;
    while (i < item.size() && isSpace(item[i]))
        ++i;
    bool negative = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-'))
        negative = item[i++] == '-';
    long long n = 0;
    for (; i < item.size() && item[i] >= '0' && item[i] <= '9'; ++i)
        if (n <= INT_MAX)
            n = n * 10 + (item[i] - '0');
    if (negative)
        n = -n;
    return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
}

} // namespace

// The key runs to the next ':' whatever lies between, line breaks included;
// the list to the end of its line. A later entry of a key replaces the
// earlier one.
Listfile::Listfile(const std::string& path)
{
    std::ifstream file(Framework::nativePath(path).c_str(), std::ios::binary);
    if (!file)
        return;
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t colon = text.find(':', at);
        if (colon == std::string::npos || colon - at > maxLength)
            return;
        std::size_t end = text.find('\n', colon + 1);
        if (end == std::string::npos)
            end = text.size();
        if (end - colon - 1 > maxLength)
            return;
        entries[text.substr(at, colon - at)] = text.substr(colon + 1, end - colon - 1);
        at = end + 1;
    }
}

std::vector<int> Listfile::numbers(const std::string& key) const
{
    const auto entry = entries.find(key);
    if (entry == entries.end())
        return {};
    const std::string& list = entry->second;
    std::vector<int> items;
    std::size_t at = 0;
    while (at < list.size()) {
        std::size_t comma = list.find(',', at);
        if (comma == std::string::npos)
            comma = list.size();
        items.push_back(numberOf(list.substr(at, comma - at)));
        at = comma + 1;
    }
    return items;
}

std::uint32_t Listfile::colour(const std::string& key, std::uint32_t fallback) const
{
    const std::vector<int> n = numbers(key);
    if (n.size() != 4)
        return fallback;
    return static_cast<std::uint32_t>(n[0] & 0xFF) << 24 | static_cast<std::uint32_t>(n[1] & 0xFF) << 16 |
           static_cast<std::uint32_t>(n[2] & 0xFF) << 8 | static_cast<std::uint32_t>(n[3] & 0xFF);
}
