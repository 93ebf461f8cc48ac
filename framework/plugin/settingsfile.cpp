#include "settingsfile.h"

#include "framework/platform/nativepath.h"

#include <algorithm>
#include <fstream>
#include <utility>

namespace Framework {

namespace {

// Reads one line: it ends at LF, and CRs that end it are dropped, also on
// the last line of a file without a final LF, so what is read is what the
// writer writes back. False when no line could be had: end of file, a read
// failure, or a line longer than the file format allows.
bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    while (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line.size() <= Settingsfile::maxLineLength;
}

} // namespace

Settingsfile::Settingsfile(std::string path) : filePath(std::move(path)) {}

void Settingsfile::add(const std::string& key, const std::string& defaultValue)
{
    keys.push_back(key);
    defaults.push_back(defaultValue);
    values.push_back(defaultValue);
}

int Settingsfile::indexOf(const std::string& key) const
{
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return static_cast<int>(i);
    return -1;
}

void Settingsfile::load()
{
    values = defaults;
    std::vector<std::string> read;
    std::ifstream in(nativePath(filePath).c_str());
    if (in.good()) {
        std::string line;
        bool keyLine = true;
        while (readLine(in, line)) {
            if (keyLine && indexOf(line) < 0)
                break;
            if (!keyLine)
                read.push_back(line);
            keyLine = !keyLine;
            if (!in.good())
                break;
        }
    }
    in.close();
    if (read.size() == keys.size()) {
        values = std::move(read);
    } else if (earlierCount > 0 && read.size() == earlierCount) {
        std::copy(read.begin(), read.end(), values.begin());
        save();
    } else {
        write(defaults);
    }
}

void Settingsfile::save() const
{
    write(values);
}

void Settingsfile::write(const std::vector<std::string>& list) const
{
    std::ofstream out(nativePath(filePath).c_str(), std::ios::out | std::ios::trunc);
    for (std::size_t i = 0; i < keys.size() && i < list.size(); ++i) {
        out << keys[i] << std::endl;
        out << list[i] << std::endl;
    }
}

std::string Settingsfile::get(const std::string& key) const
{
    const int i = indexOf(key);
    return i < 0 ? std::string("N/A") : values[static_cast<std::size_t>(i)];
}

std::string Settingsfile::defaultValue(const std::string& key) const
{
    const int i = indexOf(key);
    return i < 0 ? std::string("N/A") : defaults[static_cast<std::size_t>(i)];
}

bool Settingsfile::set(const std::string& key, const std::string& value)
{
    const int i = indexOf(key);
    // A value that could not be read back would make the next load fall back
    // to the defaults and lose every setting, so it is refused.
    if (i < 0 || value.size() > maxLineLength || value.find_first_of("\r\n") != std::string::npos)
        return false;
    std::string& stored = values[static_cast<std::size_t>(i)];
    if (stored != value) {
        stored = value;
        save();
    }
    return true;
}

} // namespace Framework
