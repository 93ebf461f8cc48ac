#include "vstfxpfileio.h"

#include "fixedtext.h"

#include "framework/platform/nativepath.h"
#include "framework/platform/wholefile.h"

#include <cctype>
#include <fstream>
#include <vector>

namespace Framework {

namespace {

constexpr std::streamoff fxIDOffset = 16;
constexpr std::streamoff chunkSizeOffset = 56;
constexpr std::streamoff chunkOffset = 60;
constexpr std::size_t nameLength = 28;

// The big-endian number at offset; 0 when the file ends first.
std::int32_t readNumber(std::ifstream& in, std::streamoff offset)
{
    unsigned char bytes[4] = {};
    in.clear();
    in.seekg(offset);
    if (!in.read(reinterpret_cast<char*>(bytes), 4))
        return 0;
    return static_cast<std::int32_t>((std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
                                     (std::uint32_t(bytes[2]) << 8) | std::uint32_t(bytes[3]));
}

void writeNumber(std::string& out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

} // namespace

bool VSTfxpfileio::canread(const std::string& fileName) const
{
    if (fileName.size() < 5)
        return false;
    std::string last = fileName.substr(fileName.size() - 4);
    for (char& c : last)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return last == extension();
}

int VSTfxpfileio::read(void* destination, int capacity, const std::string& path) const
{
    std::ifstream in(nativePath(path).c_str(), std::ios::binary);
    if (!in)
        return 0;
    if (readNumber(in, fxIDOffset) != fxID)
        return 0;
    const std::int32_t size = readNumber(in, chunkSizeOffset);
    // A chunk that does not fit, or that the file does not hold whole, is
    // treated like a file of another effect: nothing is delivered.
    if (size <= 0 || size > capacity)
        return 0;
    std::vector<char> chunk(static_cast<std::size_t>(size));
    in.clear();
    in.seekg(chunkOffset);
    if (!in.read(chunk.data(), size))
        return 0;
    std::copy(chunk.begin(), chunk.end(), static_cast<char*>(destination));
    return size;
}

// The file is written whole or not at all: a failed write (a full disk,
// say) never leaves a preset half overwritten.
bool VSTfxpfileio::write(const std::string& programName, const void* chunk, int size, const std::string& path) const
{
    if (size < 0 || (size > 0 && !chunk))
        return false;
    std::string out = "CcnK";
    writeNumber(out, static_cast<std::int32_t>(chunkOffset - 8 + size)); // bytes after this field
    out += "FPCh";
    writeNumber(out, 1); // format version
    writeNumber(out, fxID);
    writeNumber(out, fxVersion);
    writeNumber(out, parameterCount);
    char name[nameLength];
    copyText(name, programName);
    out.append(name, nameLength);
    writeNumber(out, size);
    out.append(static_cast<const char*>(chunk), static_cast<std::size_t>(size));
    return writeWhole(path, out);
}

} // namespace Framework
