// Programs and banks as they travel in host chunks and program files.
//
// A record starts with a tag, its format, its size in bytes and how many it
// holds, then the fields, every number little-endian:
//   program: "vxpr", format, size, value count, name (24 bytes), the values
//            (doubles, by slot)
//   bank:    "vxbk", format, size, program count, the current program, name
//            (24 bytes), folder (260 bytes), then each program's record,
//            then the compared setting: "vxab", which setting is live (0 for
//            A, 1 for B), and the other setting's program record
// A later version that appends parameters writes longer value lists in the
// same format: this reader takes the values it knows and gives the rest
// their defaults, so adding a parameter changes no reader. Only a record of
// a later format is refused.
//
// The first release wrote the in-memory layout itself: a program of its
// values and name, a bank of its programs, name, folder and four bytes that
// a later release used to name the current program. Those records carry no
// tag and are known by their exact size.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Framework {

class Programrecords {
public:
    enum { nameSize = 24, folderSize = 260 };

    // A program as the plug-in holds it: values by slot and a name field.
    struct Program {
        double* values;
        char* name;
    };
    // A bank: its programs (as many as the records hold), name and folder
    // fields, and the compared setting that is not live.
    struct Bank {
        const Program* programs;
        char* name;
        char* folder;
        Program other;
    };
    // Which compared setting is live; none for a record that holds no
    // compared setting.
    enum Live { none = -1, a = 0, b = 1 };

    // values: the slots a program holds now; firstValues: those the first
    // release held; programs: the bank's programs.
    Programrecords(int values, int firstValues, int programs);

    std::size_t programSize() const;
    std::size_t bankSize() const;
    // The largest program record any later version may write that this one
    // still reads; program files larger than this are not read.
    static constexpr int largestProgram = 1 << 16;

    void writeProgram(const Program& program, unsigned char* out) const;
    // The record the first release wrote: its values only.
    void writeFirstProgram(const Program& program, unsigned char* out) const;
    std::size_t firstProgramSize() const;
    void writeBank(const Bank& bank, int current, Live live, unsigned char* out) const;

    // Fills program from a record of size bytes, the values it lacks from
    // defaults (a bank's programs it lacks take defaults whole). Answers false, changing nothing, for anything that is
    // not a whole record of a format this version reads.
    bool readProgram(const void* data, std::size_t size, const Program& defaults, const Program& program) const;
    // The same for a bank; current gets the program the record names as
    // current, or -1 where it names none, and live which compared setting
    // is live (the other one is then read into bank.other).
    bool readBank(const void* data, std::size_t size, const Program& defaults, const Bank& bank, int& current,
                  Live& live) const;

private:
    // The size of the program record at data, which has room bytes, in the
    // current format; 0 where none begins there.
    std::size_t programAt(const unsigned char* data, std::size_t room) const;
    bool bankIsWhole(const unsigned char* data, std::size_t size) const;
    // The size of the compared setting's section at data, 0 where none is.
    std::size_t comparedAt(const unsigned char* data, std::size_t room) const;
    void takeProgram(const unsigned char* data, const Program& defaults, const Program& program) const;
    void takeFirstProgram(const unsigned char* data, const Program& defaults, const Program& program) const;
    std::size_t firstBankSize() const;

    const int values;
    const int firstValues;
    const int programs;
};

} // namespace Framework
