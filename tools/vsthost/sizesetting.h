// The editor size a snapshot asks for: the plug-in keeps its size among its
// settings, in the user's settings file, so for one run the file
// names the size and afterwards it is put back as it was.
#pragma once

#include <optional>
#include <string>

class Sizesetting {
public:
    // percent 0 changes nothing. The file must exist: the plug-in writes it
    // the first time it is made.
    explicit Sizesetting(int percent);
    ~Sizesetting();
    Sizesetting(const Sizesetting&) = delete;
    Sizesetting& operator=(const Sizesetting&) = delete;

    // The plug-in's settings file of the user who runs the host.
    static std::string file();

private:
    std::string path;
    std::optional<std::string> saved; // the file as it was, when changed
};
