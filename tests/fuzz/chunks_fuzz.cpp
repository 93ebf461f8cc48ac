// Program and bank chunks of any size and content, followed by audio.
#include "fuzzing.h"
#include "unit/tempfolder.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Tempfolder dir;
    AEffect* e = Fuzzing::open();
    Fuzzing::call(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    // The first byte chooses the chunk kind and whether the rest is taken at
    // its own size or fitted to the size the effect takes, so that both
    // refusals and malformed contents are reached.
    const bool isPreset = data[0] & 1;
    const bool fitted = data[0] & 2;
    std::vector<std::uint8_t> chunk(data + 1, data + size);
    if (fitted)
        chunk.resize(isPreset ? 336 : 42960);
    Fuzzing::call(e, effSetChunk, isPreset ? 1 : 0, static_cast<VstIntPtr>(chunk.size()), chunk.data());
    Fuzzing::checkAudioAndParameters(e, 300);
    // What the effect hands back reads back as itself.
    void* saved = nullptr;
    const VstIntPtr length = Fuzzing::call(e, effGetChunk, isPreset ? 1 : 0, 0, &saved);
    std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(saved),
                                   static_cast<const std::uint8_t*>(saved) + length);
    Fuzzing::call(e, effSetChunk, isPreset ? 1 : 0, length, copy.data());
    Fuzzing::call(e, effGetChunk, isPreset ? 1 : 0, 0, &saved);
    if (!std::equal(copy.begin(), copy.end(), static_cast<const std::uint8_t*>(saved)))
        Fuzzing::fail("a chunk the effect gave did not read back as itself");
    Fuzzing::checkAudioAndParameters(e, 300);
    Fuzzing::call(e, effClose);
    return 0;
}
