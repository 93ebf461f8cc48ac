// The plug-in's persistent settings: named text values kept in a small text
// file of key and value line pairs beside the module. Owners register their
// keys with defaults, the file is loaded once, values are read and changed in
// memory; the file is written at every change and when the plug-in goes
// away, since some hosts end their process without closing the plug-in.
#pragma once

#include <string>
#include <vector>

namespace Framework {

class Settingsfile {
public:
    explicit Settingsfile(std::string path);

    // Appends a key with its default value; all keys are registered before load.
    void add(const std::string& key, const std::string& defaultValue);
    // The keys registered so far are all that files of earlier versions
    // hold; keys added later are newer.
    void endEarlierKeys() { earlierCount = keys.size(); }
    // Reads the file. A file holding exactly one value per key is taken
    // whole; one holding exactly the earlier keys' values keeps them, the
    // newer keys take their defaults and the file is rewritten complete. Any
    // other file leaves the defaults in force and is rewritten with them.
    void load();
    // Writes every key with its current value.
    void save() const;
    // The current value of key, or "N/A" for a key that is not registered.
    std::string get(const std::string& key) const;
    // The default key was registered with, or "N/A" for a key that is not.
    std::string defaultValue(const std::string& key) const;
    // Replaces the value of a registered key and writes the file when the
    // value changed (a write that fails stays silent). False, changing
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
    std::size_t earlierCount = 0; // none: every file must be complete
};

} // namespace Framework
