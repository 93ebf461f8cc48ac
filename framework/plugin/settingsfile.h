// The plug-in's persistent settings: named text values kept in a small text
// file of key and value line pairs in the user's own folder. Owners register
// their keys with defaults, the file is loaded once, values are read and
// changed in memory; the file is written at every change and when the
// plug-in goes away, since some hosts end their process without closing the
// plug-in. Every write is whole (a new file renamed over the old), and
// instances in several processes read, merge and write under a file lock.
//
// Values are read by their key's name wherever it stands, so versions that
// know more or fewer keys, and files edited by hand, share one file: keys
// this version does not know are kept and written back after its own.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Framework {

class Settingsfile {
public:
    // The file at path; until it exists, the file at startingPath (earlier
    // versions kept theirs beside the module) gives the starting values. That
    // file is only ever read. An empty path (a user without a home) keeps
    // the starting values for the session and writes nothing.
    explicit Settingsfile(std::string path, std::string startingPath = std::string());

    // Appends a key with its default value; all keys are registered before load.
    void add(const std::string& key, const std::string& defaultValue);
    // Reads the file: every registered key it holds takes its value (the
    // first, where a key is there twice), the others their defaults, and a
    // file that lacks any registered key is written complete.
    void load();
    // Writes every key. Keys this instance has not changed since it last
    // wrote take what the file holds now, as another instance may have
    // written since. False when the write failed: the file stays as it was,
    // and this instance's changes wait for its next write.
    bool save();
    // The current value of key, or "N/A" for a key that is not registered.
    std::string get(const std::string& key) const;
    // The default key was registered with, or "N/A" for a key that is not.
    std::string defaultValue(const std::string& key) const;
    // Replaces the value of a registered key and writes the file when the
    // value changed. False, changing nothing, for other keys and for values
    // the file could not hold (a line break, or more than maxLineLength
    // characters); false too when the write failed, the value then holding
    // for this instance only, until a later write succeeds.
    bool set(const std::string& key, const std::string& value);

    // The longest line the file may hold.
    static constexpr std::size_t maxLineLength = 259;

    using Pairs = std::vector<std::pair<std::string, std::string>>;

private:
    int indexOf(const std::string& key) const;
    // Puts the values of registered keys from pairs into into, where takes
    // allows and found shows none yet; answers the unknown keys' pairs.
    Pairs sort(const Pairs& pairs, std::vector<std::string>& into, std::vector<bool>& found,
               const std::function<bool(std::size_t)>& takes) const;
    // save() with the file lock held.
    bool saveLocked();
    bool write(const std::vector<std::string>& list, const Pairs& others) const;

    std::string filePath;
    std::string startingPath;
    std::vector<std::string> keys;
    std::vector<std::string> defaults;
    std::vector<std::string> values;
    std::vector<bool> changed; // by this instance since it last wrote
    Pairs foreign;             // keys of other versions, kept as read
};

} // namespace Framework
