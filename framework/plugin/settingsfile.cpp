#include "settingsfile.h"

#include "framework/platform/filelock.h"
#include "framework/platform/nativepath.h"
#include "framework/platform/platform.h"
#include "framework/platform/wholefile.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <fstream>
#include <functional>
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

// The key and value line pairs of a file, in order, up to the first line
// that cannot be read; none when the file cannot be opened.
Settingsfile::Pairs readPairs(const std::string& path)
{
    Settingsfile::Pairs pairs;
    std::ifstream in(nativePath(path).c_str());
    std::string key, value;
    while (readLine(in, key) && readLine(in, value))
        pairs.emplace_back(key, value);
    return pairs;
}

bool exists(const std::string& path)
{
    boost::system::error_code error;
    return boost::filesystem::exists(boost::filesystem::symlink_status(nativePath(path), error));
}

// The folder the file goes in, made when missing.
void makeFolderOf(const std::string& path)
{
    boost::system::error_code error;
    boost::filesystem::create_directories(nativePath(path).parent_path(), error);
}

} // namespace

Settingsfile::Settingsfile(std::string path, std::string startingPath)
    : filePath(std::move(path)), startingPath(std::move(startingPath))
{
}

void Settingsfile::add(const std::string& key, const std::string& defaultValue)
{
    keys.push_back(key);
    defaults.push_back(defaultValue);
    values.push_back(defaultValue);
    changed.push_back(false);
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
    if (filePath.empty()) {
        // No folder of the user's: the starting values, for this session.
        values = defaults;
        std::vector<bool> found(keys.size(), false);
        foreign = sort(readPairs(startingPath), values, found, [](std::size_t) { return true; });
        changed.assign(keys.size(), true);
        return;
    }
    makeFolderOf(filePath);
    const Filelock lock(filePath + ".lock");
    values = defaults;
    changed.assign(keys.size(), false);
    std::vector<bool> found(keys.size(), false);
    const bool own = exists(filePath);
    foreign = sort(readPairs(own || startingPath.empty() ? filePath : startingPath), values, found,
                   [](std::size_t) { return true; });
    if (!own || std::find(found.begin(), found.end(), false) != found.end()) {
        // The starting values become this user's own.
        changed.assign(keys.size(), true);
        if (lock.held())
            saveLocked();
    }
}

Settingsfile::Pairs Settingsfile::sort(const Pairs& pairs, std::vector<std::string>& into, std::vector<bool>& found,
                                       const std::function<bool(std::size_t)>& takes) const
{
    Pairs others;
    for (const auto& pair : pairs) {
        const int i = indexOf(pair.first);
        if (i >= 0) {
            const auto known = static_cast<std::size_t>(i);
            if (!found[known] && takes(known))
                into[known] = pair.second;
            found[known] = true;
        } else if (std::find_if(others.begin(), others.end(), [&](const auto& p) { return p.first == pair.first; }) ==
                   others.end()) {
            others.push_back(pair);
        }
    }
    return others;
}

bool Settingsfile::save()
{
    if (filePath.empty())
        return false;
    makeFolderOf(filePath);
    const Filelock lock(filePath + ".lock");
    return lock.held() && saveLocked();
}

bool Settingsfile::saveLocked()
{
    // Another instance may have written since this one read: its values
    // stay, but for the keys this one changed since, so the user's last
    // choice wins wherever it was made.
    std::vector<std::string> merged = values;
    std::vector<bool> found(keys.size(), false);
    const Pairs onDisk = readPairs(filePath);
    Pairs others = sort(onDisk, merged, found, [&](std::size_t i) { return !changed[i]; });
    if (onDisk.empty())
        others = foreign;
    if (!write(merged, others))
        return false;
    values = std::move(merged);
    foreign = std::move(others);
    changed.assign(keys.size(), false);
    return true;
}

bool Settingsfile::write(const std::vector<std::string>& list, const Pairs& others) const
{
    std::string text;
    for (std::size_t i = 0; i < keys.size() && i < list.size(); ++i)
        text += keys[i] + lineEnd + list[i] + lineEnd;
    for (const auto& [key, value] : others)
        text += key + lineEnd + value + lineEnd;
    return writeWhole(filePath, text);
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
    if (stored == value)
        return true;
    stored = value;
    changed[static_cast<std::size_t>(i)] = true;
    return save();
}

} // namespace Framework
