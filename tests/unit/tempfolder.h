// A fresh folder for one test, removed with everything in it afterwards.
// It also becomes the folder the headless platform reports as the module's,
// and holds an empty default bank folder "banks/default".
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

    // Whole file contents, byte for byte ("" when missing).
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& contents) const;

private:
    std::string folder;
};
