// Program files in the VST 2.x layout that carries an opaque program chunk
// (".fxp", as hosts save the presets of an effect whose programs are chunks).
// All numbers in the file are big-endian.
#pragma once

#include "programfileio.h"

#include <cstdint>

namespace Framework {

class VSTfxpfileio : public Programfileio {
public:
    // fxID: the effect ID a file must carry. The writer also records the
    // effect's parameter count and version, as hosts do.
    VSTfxpfileio(std::int32_t fxID, std::int32_t parameterCount, std::int32_t fxVersion)
        : fxID(fxID), parameterCount(parameterCount), fxVersion(fxVersion)
    {
    }

    std::string extension() const override { return ".fxp"; }
    bool canread(const std::string& fileName) const override;
    bool canwrite(const std::string& fileName) const override { return canread(fileName); }
    bool write(const std::string& programName, const void* chunk, int size, const std::string& path) const override;
    int read(void* destination, int capacity, const std::string& path) const override;

    const std::int32_t fxID;

private:
    const std::int32_t parameterCount;
    const std::int32_t fxVersion;
};

} // namespace Framework
