#include "presetfile.h"

#include <fstream>
#include <stdexcept>

namespace {

constexpr std::size_t headerSize = 60;

std::int32_t bigEndian(const unsigned char* field)
{
    return static_cast<std::int32_t>(std::uint32_t(field[0]) << 24 | std::uint32_t(field[1]) << 16 |
                                     std::uint32_t(field[2]) << 8 | std::uint32_t(field[3]));
}

} // namespace

Presetfile::Presetfile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error(path + ": cannot open the preset file");
    const std::streamoff fileSize = in.tellg();
    unsigned char header[headerSize];
    in.seekg(0);
    if (fileSize < static_cast<std::streamoff>(headerSize) || !in.read(reinterpret_cast<char*>(header), headerSize) ||
        std::string(reinterpret_cast<char*>(header), 4) != "CcnK" ||
        std::string(reinterpret_cast<char*>(header) + 8, 4) != "FPCh")
        throw std::runtime_error(path + ": not a chunk preset file");
    fxID = bigEndian(header + 16);
    const std::int32_t size = bigEndian(header + 56);
    if (size <= 0 || size > fileSize - static_cast<std::streamoff>(headerSize))
        throw std::runtime_error(path + ": the preset claims " + std::to_string(size) + " bytes of chunk but holds " +
                                 std::to_string(fileSize - static_cast<std::streamoff>(headerSize)));
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(bytes.data(), size))
        throw std::runtime_error(path + ": cannot read the preset file");
}
