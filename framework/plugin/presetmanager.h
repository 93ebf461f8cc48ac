// The plug-in side of presets, as the editor's preset menu, program arrows
// and "Save preset" reach it. Editor thread only.
#pragma once

#include <functional>
#include <string>

namespace Framework {

struct Bankfolder;

class Presetmanager {
public:
    // The folder the bank's programs came from, and the files of its slots.
    virtual const Bankfolder& bankfolder() const = 0;

    // How many programs the bank holds, and which one is current.
    virtual int programs() const = 0;
    virtual int currentProgram() = 0;
    virtual std::string getProgramName(int index) = 0;
    // Makes program index the host's current program and loads it, as the
    // host's own program list does.
    virtual void selectProgram(int index) = 0;

    // Loads a program record (as a program file holds it) as one user
    // command, named name: bracketed automation for the host and one undo
    // step. It becomes the current program. False, changing nothing, for a
    // record this version cannot read.
    virtual bool loadProgram(const void* record, int size, const std::string& name) = 0;

    // Hands write the live values as a program record named name, the bytes
    // the host's program chunk would hold. Only when write succeeds does the
    // current program take the values and the name.
    using Recordwriter = std::function<bool(const void* record, int size)>;
    virtual bool saveProgram(const std::string& name, const Recordwriter& write) = 0;

protected:
    ~Presetmanager() = default;
};

} // namespace Framework
