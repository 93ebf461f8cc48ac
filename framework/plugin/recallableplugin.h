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
#include "fixedtext.h"
#include "host.h"
#include "plugin.h"
#include "presetmanager.h"
#include "programrecords.h"
#include "settingsfile.h"

#include "framework/platform/platform.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace Framework {

template <class Program, class Bank>
class Recallableplugin : public Plugin, public Bankpathmanager, public Presetmanager {
    static_assert(std::is_trivially_copyable<Program>::value && std::is_trivially_copyable<Bank>::value,
                  "programs and banks travel as bytes");

public:
    static constexpr int programCount = static_cast<int>(sizeof(Bank::programs) / sizeof(Program));
    static constexpr int valueCount = static_cast<int>(sizeof(Program::values) / sizeof(double));

    // firstValues: the values a program held in the first release, whose
    // records are read by their size.
    Recallableplugin(Host& host, Paramlistener& listener, Settingsfile& settings, Programfileios handlers,
                     int firstValues, double oversamplingFactor, int controlRate)
        : Plugin(host, listener, settings, oversamplingFactor, controlRate),
          records(valueCount, firstValues, programCount), folder(std::move(handlers))
    {
        std::memset(&bank, 0, sizeof bank);
        std::memset(&editBuffer, 0, sizeof editBuffer);
        std::memset(&other, 0, sizeof other);
        replaced.resize(undoDepth);
        for (Program& program : bank.programs)
            programViews.push_back(view(program));
        chunk.resize(records.bankSize());
        const char separator = pathSeparator;
        settings.add("def-bank-path", moduleFolder() + separator + "banks" + separator + "default" + separator);
    }

    // Loads the bank from the stored bank folder, telling the user once when
    // the folder is missing, and program 0 into the edit buffer. No
    // parameter exists yet: each value is held to its range as its
    // parameter is added.
    void open() override
    {
        const std::string path = settings.get("def-bank-path");
        if (!takeFolder(path))
            showError("The currently set bank path: \n\n" + path +
                      "\n\n Can not be found. Please update your bank path via the options menu.");
        std::memcpy(&editBuffer, &bank.programs[0], sizeof editBuffer);
        other = editBuffer;
    }

    // Loads program index into the edit buffer and sends every parameter anew.
    virtual void setProgram(int index)
    {
        if (!validProgram(index))
            return;
        Program program;
        {
            const Lock::Guard hold(lock);
            program = bank.programs[index];
        }
        startNewHistory();
        edit(program);
        resetParameters(true);
        programChanged();
        host.updatedisplay();
    }

    // A chunk that is no program record this version reads changes nothing.
    virtual void setProgramChunk(const void* data, int size)
    {
        Program program, defaults;
        initProgram(defaults);
        if (size <= 0 || !validProgram(host.program()) ||
            !records.readProgram(data, static_cast<std::size_t>(size), view(defaults), view(program)))
            return;
        startNewHistory();
        const Program& edited = edit(program);
        {
            const Lock::Guard hold(lock);
            bank.programs[host.program()] = edited;
            ++bankGeneration;
        }
        resetParameters(true);
    }

    // A bank chunk never moves the host's current program on its own: it
    // loads the program its record names as current when it was taken, or,
    // for a record that names none (as saved by 1.0.0), the program that is
    // current now. So a host that sets the program before the chunk, after
    // it or not at all gets back the program and the edits it saved. A chunk
    // this version cannot read changes nothing.
    virtual void setBankChunk(const void* data, int size)
    {
        Program defaults;
        initProgram(defaults);
        int program = currentProgram(), named = -1;
        Programrecords::Live compared = Programrecords::none;
        {
            const Lock::Guard hold(lock);
            if (size <= 0 ||
                !records.readBank(data, static_cast<std::size_t>(size), view(defaults), bankView(), named, compared))
                return;
            ++bankGeneration;
        }
        if (named >= 0)
            program = named;
        host.program() = program;
        setProgram(program);
        const Lock::Guard hold(lock);
        if (compared == Programrecords::none)
            other = editBuffer;
        clampSlots(other.values, valueCount);
        live.store(compared == Programrecords::b ? Programrecords::b : Programrecords::a, std::memory_order_relaxed);
    }

    // The chunks stay valid until the next chunk is asked for.
    virtual int getProgramChunk(void** data)
    {
        {
            const Lock::Guard hold(lock);
            Program& current = bank.programs[currentProgram()];
            commit(current);
            records.writeProgram(view(current), chunk.data());
        }
        *data = chunk.data();
        return static_cast<int>(records.programSize());
    }

    virtual int getBankChunk(void** data)
    {
        {
            const Lock::Guard hold(lock);
            commit(bank.programs[currentProgram()]);
            records.writeBank(bankView(), currentProgram(), live.load(std::memory_order_relaxed), chunk.data());
        }
        *data = chunk.data();
        return static_cast<int>(records.bankSize());
    }

    // The name of program index; "" for an index outside the bank.
    std::string getProgramName(int index) override
    {
        if (!validProgram(index))
            return std::string();
        const Lock::Guard hold(lock);
        return textOf(bank.programs[index].name);
    }

    virtual std::string getBankName()
    {
        const Lock::Guard hold(lock);
        return textOf(bank.name);
    }

    // Stores at most the name field's length less one characters.
    virtual void setProgramName(int index, const std::string& name)
    {
        if (!validProgram(index))
            return;
        const Lock::Guard hold(lock);
        copyText(bank.programs[index].name, name);
        if (index == host.program())
            copyText(editBuffer.name, name);
    }

    // Presetmanager
    int programs() const override { return programCount; }
    int currentProgram() override { return validProgram(host.program()) ? host.program() : 0; }
    void selectProgram(int index) override
    {
        if (!validProgram(index))
            return;
        host.program() = index;
        setProgram(index);
    }
    bool loadProgram(const void* record, int size, const std::string& name) override
    {
        Program program, defaults;
        initProgram(defaults);
        if (size <= 0 || !records.readProgram(record, static_cast<std::size_t>(size), view(defaults), view(program)))
            return false;
        clampSlots(program.values, valueCount);
        // The step remembers what the program held, so that undoing the load
        // brings back its name as well as its sound.
        const int entry = nextReplaced;
        nextReplaced = (nextReplaced + 1) % undoDepth;
        {
            const Lock::Guard hold(lock);
            replaced[static_cast<std::size_t>(entry)] = {currentProgram(), bankGeneration, bank.programs[currentProgram()]};
        }
        playSound(program, firstLoadStep + entry);
        keepAsProgram(name);
        return true;
    }
    bool saveProgram(const std::string& name, const Recordwriter& write) override
    {
        std::vector<unsigned char> record(records.programSize());
        {
            const Lock::Guard hold(lock);
            Program now;
            commit(now);
            copyText(now.name, name);
            records.writeProgram(view(now), record.data());
        }
        if (!write(record.data(), static_cast<int>(record.size())))
            return false;
        keepAsProgram(name);
        return true;
    }

    // Fills a program record with the plug-in's defaults.
    virtual void initProgram(Program& program) = 0;

    // Bankpathmanager
    bool setbankpath(const std::string& path) override
    {
        if (path.size() >= sizeof bank.folder)
            return false;
        bool exists;
        {
            const Lock::Guard hold(lock);
            exists = takeFolder(path);
        }
        setProgram(0);
        host.updatedisplay();
        return exists;
    }
    const Bankfolder& bankfolder() const override { return folder; }
    bool storebankpath(const std::string& path) override { return settings.set("def-bank-path", path); }

    // The live values; descriptors point into it.
    Program& edited() { return editBuffer; }

    // Compare: two settings, A and B, of every automatable parameter. The
    // live one is the edit buffer, the other waits; a bank chunk holds both,
    // and one that holds no compared setting makes both its program.
    Programrecords::Live liveSetting() const { return live.load(std::memory_order_relaxed); }
    // Makes the other setting live, heard at once, as one command: one undo
    // step, bracketed automation for the host.
    void switchSetting()
    {
        Program next;
        {
            // Under the lock a bank chunk is taken with: it finds the other
            // setting and which one is live in agreement.
            const Lock::Guard hold(lock);
            next = other;
            commit(other);
            flipSetting();
        }
        playSound(next, switchStep);
        stepTaken();
    }
    // Undoing or redoing a switch switches back: the values live before it
    // wait again as the other setting.
    bool undo() override
    {
        return swapping(undoMark(), [this] { return Plugin::undo(); });
    }
    bool redo() override
    {
        return swapping(redoMark(), [this] { return Plugin::redo(); });
    }
    // The live setting becomes the other one as well.
    void copySetting()
    {
        const Lock::Guard hold(lock);
        commit(other);
    }

    // Whether the live values differ from the current program as the bank
    // holds it (as loaded, or as a chunk last stored it) by more than
    // rounding. Only automatable parameters count: the view's own settings
    // are no edit of the sound.
    bool differsFromProgram()
    {
        const Lock::Guard hold(lock);
        Program now;
        commit(now);
        const Program& stored = bank.programs[currentProgram()];
        for (int i = 0; i < parameterCount(); ++i) {
            const int slot = descriptor(i)->slot;
            if (!automatable(i) || slot < 0 || slot >= valueCount)
                continue;
            const double is = now.values[slot], was = stored.values[slot];
            if (std::abs(is - was) > 1e-9 * std::max({1.0, std::abs(is), std::abs(was)}))
                return true;
        }
        return false;
    }

protected:
    // The live values moved by a step of the history or a compare switch.
    virtual void stepTaken() {}

    Bank bank;
    Program editBuffer;

private:
    static bool validProgram(int index) { return index >= 0 && index < programCount; }

    // The marks of steps that did more than set parameters: a compare
    // switch, and the load of a preset file into the current program, whose
    // mark less firstLoadStep names its entry of replaced.
    enum : int { switchStep = 1, firstLoadStep = 2 };
    // A program as it was before a preset file was loaded over it, and after
    // the load is undone the program as the load left it; valid while the
    // bank has not been replaced since (generation).
    struct Replaced {
        int slot = -1;
        int generation = -1;
        Program program;
    };

    // The program's sound (its automatable parameters) becomes live as one
    // command: one undo step with the given mark (0: none), and bracketed
    // automation for the host. The view's own settings stay as they are.
    void playSound(const Program& program, int mark)
    {
        for (int i = 0; i < parameterCount(); ++i)
            if (automatable(i))
                beginEdit(i, Gesture::command);
        for (int i = 0; i < parameterCount(); ++i)
            if (automatable(i) && descriptor(i)->slot >= 0 && descriptor(i)->slot < valueCount)
                setValue(program.values[descriptor(i)->slot], i, false);
        stepMark = mark;
        endEdit(Gesture::command);
        stepMark = 0;
    }
    // The live values, named name, become the current program, as the
    // bank holds it and as the host lists it.
    void keepAsProgram(const std::string& name)
    {
        {
            const Lock::Guard hold(lock);
            copyText(editBuffer.name, name);
            commit(bank.programs[currentProgram()]);
        }
        programChanged();
        host.updatedisplay();
    }

    // Makes program, held to the parameters' ranges, the edit buffer;
    // answers the edit buffer.
    const Program& edit(Program& program)
    {
        clampSlots(program.values, valueCount);
        const Lock::Guard hold(lock);
        editBuffer = program;
        return program;
    }

    // Writes the edit buffer into program with every parameter as the host
    // and the editor last set it, even where no audio has run since to make
    // it live.
    void commit(Program& program)
    {
        program = editBuffer;
        copyTargets(program.values, valueCount);
    }

    bool takeFolder(const std::string& path)
    {
        Program defaults;
        initProgram(defaults);
        const auto read = [&](int slot, const void* data, int size) {
            Program& program = bank.programs[slot];
            if (data && records.readProgram(data, static_cast<std::size_t>(size), view(defaults), view(program)))
                return true;
            program = defaults;
            return false;
        };
        ++bankGeneration;
        return folder.take(path, programCount, Programrecords::largestProgram, read, bank.folder, sizeof bank.folder);
    }

    static Programrecords::Program view(Program& program) { return {program.values, program.name}; }
    // The caller holds the lock.
    void flipSetting()
    {
        live.store(liveSetting() == Programrecords::a ? Programrecords::b : Programrecords::a,
                   std::memory_order_relaxed);
    }
    // Undoes or redoes a step (step) and what its mark adds.
    template <class Step> bool swapping(int mark, Step step)
    {
        Program before;
        {
            const Lock::Guard hold(lock);
            commit(before);
        }
        if (!step())
            return false;
        if (mark == switchStep) {
            const Lock::Guard hold(lock);
            other = before;
            flipSetting();
        }
        if (mark >= firstLoadStep)
            swapReplaced(replaced[static_cast<std::size_t>(mark - firstLoadStep)]);
        stepTaken();
        return true;
    }
    // The program a preset load replaced and the one it left change places,
    // the current program's name with them: undo and redo alike.
    void swapReplaced(Replaced& entry)
    {
        {
            const Lock::Guard hold(lock);
            if (entry.generation != bankGeneration || !validProgram(entry.slot))
                return;
            std::swap(bank.programs[entry.slot], entry.program);
            if (entry.slot == currentProgram())
                std::memcpy(editBuffer.name, bank.programs[entry.slot].name, sizeof editBuffer.name);
        }
        programChanged();
        host.updatedisplay();
    }
    Programrecords::Bank bankView() { return {programViews.data(), bank.name, bank.folder, view(other)}; }

    const Programrecords records;
    // The compared setting that is not live, and which one is.
    Program other;
    std::atomic<Programrecords::Live> live{Programrecords::a};
    // What each preset load of the history replaced, a ring as long as the
    // history, and the entry the next load takes.
    std::vector<Replaced> replaced;
    int nextReplaced = 0;
    // Counts replacements of the bank by a folder or the host's chunks.
    int bankGeneration = 0;
    std::vector<Programrecords::Program> programViews;
    // The last chunk handed to the host.
    std::vector<unsigned char> chunk;
    Bankfolder folder;
};

} // namespace Framework
