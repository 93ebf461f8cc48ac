// A plug-in with programs: a bank of program records loaded from a folder of
// program files, and the edit buffer, the program record that holds the
// live value of every parameter. Programs move between the bank, the edit
// buffer and the host's chunks only as whole records, under the plug-in
// lock; the host and the editor are told after the lock is released.
//
// The edit buffer is written back into the current program only when the
// host reads a chunk and when a program chunk arrives: edits left behind by
// switching programs are discarded. A chunk read carries the parameters as
// last set, also those that no control tick has made live yet.
#pragma once

#include "bankfolder.h"
#include "bankpathmanager.h"
#include "plugin.h"
#include "settingsfile.h"

#include "framework/platform/platform.h"
#include "framework/vst/host.h"

#include <cstring>
#include <string>
#include <type_traits>

namespace Framework {

template <class Program, class Bank> class Recallableplugin : public Plugin, public Bankpathmanager {
    static_assert(std::is_trivially_copyable<Program>::value && std::is_trivially_copyable<Bank>::value,
                  "programs and banks travel as bytes");

public:
    static constexpr int programCount = static_cast<int>(sizeof(Bank::programs) / sizeof(Program));

    Recallableplugin(Host& host, Gui& listener, Settingsfile& settings, Programfileios handlers,
                     double oversamplingFactor, int controlRate)
        : Plugin(host, listener, settings, oversamplingFactor, controlRate), folder(std::move(handlers))
    {
        std::memset(&bank, 0, sizeof bank);
        std::memset(&editBuffer, 0, sizeof editBuffer);
        const char separator = pathSeparator;
        settings.add("def-bank-path", moduleFolder() + separator + "banks" + separator + "default" + separator);
    }

    // Loads the bank from the stored bank folder, telling the user once when
    // the folder is missing, and program 0 into the edit buffer.
    void open() override
    {
        const std::string path = settings.get("def-bank-path");
        if (!takeFolder(path))
            showError("The currently set bank path: \n\n" + path +
                      "\n\n Can not be found. Please update your bank path via the options menu.");
        std::memcpy(&editBuffer, &bank.programs[0], sizeof editBuffer);
    }

    // Loads program index into the edit buffer and sends every parameter anew.
    virtual void setProgram(int index)
    {
        if (!validProgram(index))
            return;
        lock.enter();
        std::memcpy(&editBuffer, &bank.programs[index], sizeof editBuffer);
        lock.leave();
        resetParameters(true);
        programChanged();
        host.updatedisplay();
    }

    virtual void setProgramChunk(const void* data, int size)
    {
        if (!data || size != static_cast<int>(sizeof(Program)) || !validProgram(host.program()))
            return;
        lock.enter();
        std::memcpy(&editBuffer, data, sizeof editBuffer);
        std::memcpy(&bank.programs[host.program()], &editBuffer, sizeof editBuffer);
        lock.leave();
        resetParameters(true);
    }

    // A bank chunk of the wrong size is ignored, but program 0 is loaded
    // either way; it also becomes the host's current program, so that the
    // next chunk read commits the edit buffer where it came from.
    virtual void setBankChunk(const void* data, int size)
    {
        lock.enter();
        if (data && size == static_cast<int>(sizeof(Bank)))
            std::memcpy(&bank, data, sizeof bank);
        lock.leave();
        host.program() = 0;
        setProgram(0);
    }

    virtual int getProgramChunk(void** data)
    {
        lock.enter();
        Program& current = bank.programs[currentProgram()];
        commit(current);
        lock.leave();
        *data = &current;
        return static_cast<int>(sizeof(Program));
    }

    virtual int getBankChunk(void** data)
    {
        lock.enter();
        commit(bank.programs[currentProgram()]);
        lock.leave();
        *data = &bank;
        return static_cast<int>(sizeof(Bank));
    }

    // The name of program index; "" for an index outside the bank.
    virtual std::string getProgramName(int index)
    {
        if (!validProgram(index))
            return std::string();
        lock.enter();
        const std::string name = textOf(bank.programs[index].name);
        lock.leave();
        return name;
    }

    virtual std::string getBankName()
    {
        lock.enter();
        const std::string name = textOf(bank.name);
        lock.leave();
        return name;
    }

    // Stores at most the name field's length less one characters.
    virtual void setProgramName(int index, const std::string& name)
    {
        if (!validProgram(index))
            return;
        lock.enter();
        storeText(bank.programs[index].name, name);
        if (index == host.program())
            storeText(editBuffer.name, name);
        lock.leave();
    }

    // Fills a program record with the plug-in's defaults.
    virtual void initProgram(Program& program) = 0;

    // Bankpathmanager
    bool setbankpath(const std::string& path) override
    {
        if (path.size() >= sizeof bank.folder)
            return false;
        lock.enter();
        const bool exists = takeFolder(path);
        lock.leave();
        setProgram(0);
        host.updatedisplay();
        return exists;
    }
    const Bankfolder& bankfolder() const override { return folder; }
    void storebankpath(const std::string& path) override { settings.set("def-bank-path", path); }

    // The live values; descriptors point into it.
    Program& edited() { return editBuffer; }

protected:
    Bank bank;
    Program editBuffer;

private:
    static bool validProgram(int index) { return index >= 0 && index < programCount; }
    int currentProgram() { return validProgram(host.program()) ? host.program() : 0; }

    template <std::size_t N> static std::string textOf(const char (&field)[N])
    {
        return std::string(field, strnlen(field, N));
    }
    template <std::size_t N> static void storeText(char (&field)[N], const std::string& text)
    {
        std::memset(field, 0, N);
        text.copy(field, N - 1);
    }

    // Writes the edit buffer into program with every parameter as the host
    // and the editor last set it, even where no audio has run since to make
    // it live.
    void commit(Program& program)
    {
        std::memcpy(&program, &editBuffer, sizeof program);
        copyTargets(&program, &editBuffer, sizeof editBuffer);
    }

    bool takeFolder(const std::string& path)
    {
        Program defaults;
        initProgram(defaults);
        return folder.take(path, bank.programs, programCount, sizeof(Program), &defaults, bank.folder,
                           sizeof bank.folder);
    }

    Bankfolder folder;
};

} // namespace Framework
