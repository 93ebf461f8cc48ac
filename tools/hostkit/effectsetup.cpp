#include "effectsetup.h"

#include "framework/plugin/vstfxpfileio.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

std::string fourCC(VstInt32 id)
{
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(id) >> shift) & 0xFF);
        s += (c >= 32 && c < 127) ? c : '?';
    }
    return s;
}

int parameterIndex(AEffect& effect, const std::string& name)
{
    for (VstInt32 i = 0; i < effect.numParams; ++i) {
        char text[256] = {};
        effect.dispatcher(&effect, effGetParamName, i, 0, text, 0.0f);
        if (name == text)
            return i;
    }
    return -1;
}

void configure(AEffect& effect, const Renderoptions& options)
{
    if (options.program) {
        if (*options.program < 0 || *options.program >= effect.numPrograms)
            throw std::runtime_error("program " + std::to_string(*options.program) + " is outside 0.." +
                                     std::to_string(effect.numPrograms - 1));
        effect.dispatcher(&effect, effSetProgram, 0, *options.program, nullptr, 0.0f);
    }
    if (options.preset) {
        // No chunk is larger than the file that holds it.
        std::ifstream file(*options.preset, std::ios::binary | std::ios::ate);
        std::vector<char> chunk(file ? static_cast<std::size_t>(file.tellg()) : 0);
        const Framework::VSTfxpfileio reader(effect.uniqueID, effect.numParams, effect.version);
        const int size = reader.read(chunk.data(), static_cast<int>(chunk.size()), *options.preset);
        if (size <= 0)
            throw std::runtime_error(*options.preset + ": no preset of effect '" + fourCC(effect.uniqueID) +
                                     "', or a damaged one");
        effect.dispatcher(&effect, effSetChunk, 1, size, chunk.data(), 0.0f);
    }
    for (const auto& [name, value] : options.settings) {
        const int index = parameterIndex(effect, name);
        if (index < 0)
            throw std::runtime_error("no parameter is named '" + name + "' (info lists them)");
        effect.setParameter(&effect, index, value);
    }
}

void useHome(const std::string& folder)
{
    if (folder.empty())
        return;
#if defined(_WIN32)
    SetEnvironmentVariableA("APPDATA", folder.c_str());
#else
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
#endif
}
