#include "programrecords.h"

#include <algorithm>
#include <cstring>

namespace Framework {

namespace {

constexpr unsigned char programTag[4] = {'v', 'x', 'p', 'r'};
constexpr unsigned char bankTag[4] = {'v', 'x', 'b', 'k'};
constexpr unsigned char comparedTag[4] = {'v', 'x', 'a', 'b'};
// The first release's records had no format field; this is the second.
constexpr std::uint32_t format = 2;
constexpr std::size_t programHeader = 16 + Programrecords::nameSize;
constexpr std::size_t bankHeader = 20 + Programrecords::nameSize + Programrecords::folderSize;
// Bounds that keep every size computed from a record within range.
constexpr std::uint32_t mostValues = (Programrecords::largestProgram - programHeader) / sizeof(double);
constexpr std::uint32_t mostPrograms = 4096;
// The first release's bank ends in four bytes that a later release filled
// with this mark and the current program's index.
constexpr char currentMark[3] = {'c', 'u', 'r'};

void putNumber(unsigned char* out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t number(const unsigned char* in)
{
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
}

void putValue(unsigned char* out, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

double value(const unsigned char* in)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(in[i]) << (8 * i);
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

bool tagged(const unsigned char* in, const unsigned char (&tag)[4])
{
    return std::memcmp(in, tag, sizeof tag) == 0 && number(in + 4) == format;
}

} // namespace

Programrecords::Programrecords(int values, int firstValues, int programs)
    : values(values), firstValues(firstValues), programs(programs)
{
}

std::size_t Programrecords::programSize() const
{
    return programHeader + sizeof(double) * static_cast<std::size_t>(values);
}

std::size_t Programrecords::bankSize() const
{
    return bankHeader + programSize() * static_cast<std::size_t>(programs + 1) + 8;
}

std::size_t Programrecords::firstProgramSize() const
{
    return sizeof(double) * static_cast<std::size_t>(firstValues) + nameSize;
}

std::size_t Programrecords::firstBankSize() const
{
    return firstProgramSize() * static_cast<std::size_t>(programs) + nameSize + folderSize + 4;
}

void Programrecords::writeProgram(const Program& program, unsigned char* out) const
{
    std::memcpy(out, programTag, sizeof programTag);
    putNumber(out + 4, format);
    putNumber(out + 8, static_cast<std::uint32_t>(programSize()));
    putNumber(out + 12, static_cast<std::uint32_t>(values));
    std::memcpy(out + 16, program.name, nameSize);
    for (int i = 0; i < values; ++i)
        putValue(out + programHeader + sizeof(double) * static_cast<std::size_t>(i), program.values[i]);
}

void Programrecords::writeFirstProgram(const Program& program, unsigned char* out) const
{
    for (int i = 0; i < firstValues; ++i)
        putValue(out + sizeof(double) * static_cast<std::size_t>(i), program.values[i]);
    std::memcpy(out + firstProgramSize() - nameSize, program.name, nameSize);
}

void Programrecords::writeBank(const Bank& bank, int current, Live live, unsigned char* out) const
{
    std::memcpy(out, bankTag, sizeof bankTag);
    putNumber(out + 4, format);
    putNumber(out + 8, static_cast<std::uint32_t>(bankSize()));
    putNumber(out + 12, static_cast<std::uint32_t>(programs));
    putNumber(out + 16, static_cast<std::uint32_t>(current));
    std::memcpy(out + 20, bank.name, nameSize);
    std::memcpy(out + 20 + nameSize, bank.folder, folderSize);
    for (int i = 0; i < programs; ++i)
        writeProgram(bank.programs[i], out + bankHeader + programSize() * static_cast<std::size_t>(i));
    unsigned char* compared = out + bankHeader + programSize() * static_cast<std::size_t>(programs);
    std::memcpy(compared, comparedTag, sizeof comparedTag);
    putNumber(compared + 4, live == b ? 1 : 0);
    writeProgram(bank.other, compared + 8);
}

std::size_t Programrecords::comparedAt(const unsigned char* data, std::size_t room) const
{
    if (room < 8 || std::memcmp(data, comparedTag, sizeof comparedTag) != 0 || number(data + 4) > 1)
        return 0;
    const std::size_t length = programAt(data + 8, room - 8);
    return length ? length + 8 : 0;
}

std::size_t Programrecords::programAt(const unsigned char* data, std::size_t room) const
{
    if (room < programHeader || !tagged(data, programTag))
        return 0;
    const std::uint32_t count = number(data + 12);
    const std::size_t size = programHeader + sizeof(double) * count;
    return count >= 1 && count <= mostValues && number(data + 8) == size && size <= room ? size : 0;
}

bool Programrecords::bankIsWhole(const unsigned char* data, std::size_t size) const
{
    if (size < bankHeader || !tagged(data, bankTag) || number(data + 8) != size || number(data + 12) > mostPrograms)
        return false;
    std::size_t at = bankHeader;
    for (std::uint32_t i = 0, count = number(data + 12); i < count; ++i) {
        const std::size_t length = programAt(data + at, size - at);
        if (length == 0)
            return false;
        at += length;
    }
    return at == size || at + comparedAt(data + at, size - at) == size;
}

void Programrecords::takeProgram(const unsigned char* data, const Program& defaults, const Program& program) const
{
    const int count = std::min(values, static_cast<int>(number(data + 12)));
    std::copy(defaults.values + count, defaults.values + values, program.values + count);
    for (int i = 0; i < count; ++i)
        program.values[i] = value(data + programHeader + sizeof(double) * static_cast<std::size_t>(i));
    std::memcpy(program.name, data + 16, nameSize);
}

void Programrecords::takeFirstProgram(const unsigned char* data, const Program& defaults, const Program& program) const
{
    std::copy(defaults.values + firstValues, defaults.values + values, program.values + firstValues);
    for (int i = 0; i < firstValues; ++i)
        program.values[i] = value(data + sizeof(double) * static_cast<std::size_t>(i));
    std::memcpy(program.name, data + firstProgramSize() - nameSize, nameSize);
}

bool Programrecords::readProgram(const void* data, std::size_t size, const Program& defaults,
                                 const Program& program) const
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!bytes)
        return false;
    if (size > 0 && programAt(bytes, size) == size)
        takeProgram(bytes, defaults, program);
    else if (size == firstProgramSize())
        takeFirstProgram(bytes, defaults, program);
    else
        return false;
    return true;
}

bool Programrecords::readBank(const void* data, std::size_t size, const Program& defaults, const Bank& bank,
                              int& current, Live& live) const
{
    live = none;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!bytes)
        return false;
    if (bankIsWhole(bytes, size)) {
        const int count = static_cast<int>(number(bytes + 12));
        std::size_t at = bankHeader;
        for (int i = 0; i < count; at += programAt(bytes + at, size - at), ++i)
            if (i < programs)
                takeProgram(bytes + at, defaults, bank.programs[i]);
        for (int i = count; i < programs; ++i) {
            std::copy(defaults.values, defaults.values + values, bank.programs[i].values);
            std::memcpy(bank.programs[i].name, defaults.name, nameSize);
        }
        if (at < size) {
            live = number(bytes + at + 4) == 1 ? b : a;
            takeProgram(bytes + at + 8, defaults, bank.other);
        }
        const std::uint32_t named = number(bytes + 16);
        current = named < static_cast<std::uint32_t>(programs) ? static_cast<int>(named) : -1;
        std::memcpy(bank.name, bytes + 20, nameSize);
        std::memcpy(bank.folder, bytes + 20 + nameSize, folderSize);
        return true;
    }
    if (size != firstBankSize())
        return false;
    for (int i = 0; i < programs; ++i)
        takeFirstProgram(bytes + firstProgramSize() * static_cast<std::size_t>(i), defaults, bank.programs[i]);
    const unsigned char* tail = bytes + firstProgramSize() * static_cast<std::size_t>(programs);
    std::memcpy(bank.name, tail, nameSize);
    std::memcpy(bank.folder, tail + nameSize, folderSize);
    const unsigned char* mark = tail + nameSize + folderSize;
    current = std::memcmp(mark, currentMark, sizeof currentMark) == 0 && mark[3] < programs ? mark[3] : -1;
    return true;
}

} // namespace Framework
