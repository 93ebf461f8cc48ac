// The presets of a bank folder as the editor lists and saves them: the
// bank's own program files, those in the folder's subfolders, and "User":
// the presets this user saved, in a folder of the user's own (and those
// earlier versions saved in the bank folder's "User"). A preset's name is
// its file name without the extension.
#pragma once

#include "bankfolder.h"

#include <string>
#include <vector>

namespace Framework {

class Presetfolder {
public:
    // Reads and writes with the bank folder's first handler.
    explicit Presetfolder(const Bankfolder& bank) : bank(bank) {}

    struct Preset {
        std::string name;
        std::string path;
    };
    struct Folder {
        std::string name;
        std::vector<Preset> presets;
    };
    // The subfolders that hold program files, each with its files, and
    // "User" when the user has presets, all in alphabetical order whatever
    // the case; none but "User" when the bank folder cannot be read.
    std::vector<Folder> subfolders() const;

    // Whether a name can be a preset's file name on every system, and why not.
    enum class Namecheck { fine, empty, tooLong, character, ending, reserved };
    static Namecheck check(const std::string& name);
    // The longest name: a program name field's length less its terminator.
    static constexpr std::size_t longestName = 23;

    // The file a preset named name is saved as: in the user's own folder;
    // empty when the system names none.
    std::string userFile(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Writes a program record as the preset named name, making the user's
    // folder when it is missing. An existing preset of that name is replaced
    // whole or left as it was.
    bool write(const std::string& name, const void* record, int size) const;
    // A preset file's program record; empty for a file no handler reads.
    std::vector<unsigned char> read(const std::string& path) const;

    // The menu name of the user's presets.
    static constexpr const char* userMenu = "User";

private:
    std::vector<Preset> presetsIn(const std::string& folder) const;

    const Bankfolder& bank;
};

} // namespace Framework
