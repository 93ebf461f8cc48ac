// The plug-in side of the bank folder, as the editor's menu reaches it.
#pragma once

#include <string>

namespace Framework {
struct Bankfolder;
}

class Bankpathmanager {
public:
    // Loads the bank from folder and switches to its program 0; answers
    // whether anything exists at that path.
    virtual bool setbankpath(const std::string& folder) = 0;
    virtual const Framework::Bankfolder& bankfolder() const = 0;
    // Makes folder the bank folder of later starts; false when the
    // settings could not be written.
    virtual bool storebankpath(const std::string& folder) = 0;

protected:
    ~Bankpathmanager() = default;
};
