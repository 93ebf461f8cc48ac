// The plug-in's persistent settings: named text values kept in a small text
// file of key and value line pairs beside the module. Owners register their
// keys with defaults, the file is loaded once, values are read and changed in
// memory, and the file is written back when the plug-in goes away.
#pragma once

#include <string>
#include <vector>

namespace Framework {

class Settingsfile {
public:
    explicit Settingsfile(std::string path);

    // Appends a key with its default value; all keys are registered before load.
    void add(const std::string& key, const std::string& defaultValue);
    // Reads the file. A file that does not hold exactly one value per key
    // leaves the defaults in force and is rewritten with them.
    void load();
    // Writes every key with its current value.
    void save() const;
    // The current value of key, or "N/A" for a key that is not registered.
    std::string get(const std::string& key) const;
    // Replaces the value of a registered key in memory. False, changing
    // nothing, for other keys and for values the file could not hold (a line
    // break, or more than maxLineLength characters).
    bool set(const std::string& key, const std::string& value);

    // The longest line the file may hold.
    static constexpr std::size_t maxLineLength = 259;

private:
    int indexOf(const std::string& key) const;
    void write(const std::vector<std::string>& list) const;

    std::string filePath;
    std::vector<std::string> keys;
    std::vector<std::string> defaults;
    std::vector<std::string> values;
};

} // namespace Framework
