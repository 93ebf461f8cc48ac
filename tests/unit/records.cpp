#include "records.h"

#include "eq/vex.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Records {

namespace {

Framework::Programrecords::Program view(Vexprogram& program)
{
    return {program.values, program.name};
}

struct Views {
    Views(Vexbank& bank, Vexprogram& other)
    {
        for (Vexprogram& program : bank.programs)
            programs.push_back(view(program));
        whole = {programs.data(), bank.name, bank.folder, view(other)};
    }
    std::vector<Framework::Programrecords::Program> programs;
    Framework::Programrecords::Bank whole;
};

} // namespace

const Framework::Programrecords& layout()
{
    static const Framework::Programrecords records(vexParameterCount, vexFirstParameterCount, vexProgramCount);
    return records;
}

Bytes program(Vexprogram program)
{
    Bytes out(layout().programSize());
    layout().writeProgram(view(program), out.data());
    return out;
}

Bytes firstProgram(Vexprogram program)
{
    Bytes out(layout().firstProgramSize());
    layout().writeFirstProgram(view(program), out.data());
    return out;
}

Vexprogram program(const void* data, std::size_t size)
{
    Vexprogram defaults, read;
    Vex::defaults(defaults);
    EXPECT_TRUE(layout().readProgram(data, size, view(defaults), view(read))) << "a program record";
    return read;
}

Bytes bank(Vexbank& bank, int current, Vexprogram* other, Framework::Programrecords::Live live)
{
    Bytes out(layout().bankSize());
    Vexprogram same = bank.programs[current];
    layout().writeBank(Views(bank, other ? *other : same).whole, current, live, out.data());
    return out;
}

Bytes firstBank(Vexbank& bank, bool mark, int current)
{
    Bytes out;
    for (Vexprogram& program : bank.programs) {
        const Bytes record = firstProgram(program);
        out.insert(out.end(), record.begin(), record.end());
    }
    out.insert(out.end(), bank.name, bank.name + sizeof bank.name);
    out.insert(out.end(), bank.folder, bank.folder + sizeof bank.folder);
    const unsigned char tail[4] = {'c', 'u', 'r', static_cast<unsigned char>(current)};
    for (unsigned char c : tail)
        out.push_back(mark ? c : 0);
    return out;
}

Vexbank bank(const void* data, std::size_t size, int* current, Vexprogram* other, Framework::Programrecords::Live* live)
{
    Vexprogram defaults;
    Vex::defaults(defaults);
    Vexbank read;
    std::memset(&read, 0, sizeof read);
    int named = -1;
    Vexprogram compared;
    Framework::Programrecords::Live which;
    EXPECT_TRUE(layout().readBank(data, size, view(defaults), Views(read, compared).whole, named, which))
        << "a bank record";
    if (current)
        *current = named;
    if (other)
        *other = compared;
    if (live)
        *live = which;
    return read;
}

} // namespace Records
