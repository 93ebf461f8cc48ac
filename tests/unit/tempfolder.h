// A fresh folder for one test, removed with everything in it afterwards.
// It also becomes the folder the headless platform reports as the module's,
// and holds an empty default bank folder "banks/default" and the user's
// folders: "user/settings" and "user/presets".
#pragma once

#include <string>
#include <vector>

class Tempfolder {
public:
    Tempfolder();
    ~Tempfolder();
    Tempfolder(const Tempfolder&) = delete;
    Tempfolder& operator=(const Tempfolder&) = delete;

    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + "/" + name; }

    // The settings file of the plug-in's user, and the presets folder.
    static constexpr const char* settings = "user/settings/Vexatone.ini";
    static constexpr const char* presets = "user/presets";

    // Whole file contents, byte for byte ("" when missing).
    std::string read(const std::string& name) const;
    // Writes a file, making its folder.
    void write(const std::string& name, const std::string& contents) const;

private:
    std::string folder;
};
