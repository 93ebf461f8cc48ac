// Program and bank chunks of any size and content, followed by audio.
#include "fuzzing.h"
#include "unit/tempfolder.h"

#include <algorithm>

namespace {

void putNumber(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Writes a program record's header over the bytes at at, holding count
// values; answers the record's size.
std::size_t frameProgram(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t count)
{
    const std::size_t size = 40 + 8 * static_cast<std::size_t>(count);
    if (out.size() < at + size)
        out.resize(at + size);
    std::copy_n("vxpr", 4, out.begin() + static_cast<std::ptrdiff_t>(at));
    putNumber(out, at + 4, 2);
    putNumber(out, at + 8, static_cast<std::uint32_t>(size));
    putNumber(out, at + 12, count);
    return size;
}

// Shapes bytes as a record of the current format around their contents, so
// that what the reader checks after the header is reached: a program of as
// many values as the bytes hold, or a bank of programs of 40 to 56 values.
void frame(std::vector<std::uint8_t>& chunk, bool isPreset)
{
    if (isPreset) {
        chunk.resize(std::max<std::size_t>(chunk.size(), 48) / 8 * 8);
        frameProgram(chunk, 0, static_cast<std::uint32_t>((chunk.size() - 40) / 8));
        return;
    }
    chunk.resize(std::max<std::size_t>(chunk.size(), 304));
    const std::uint32_t programs = chunk[16] % 130;
    std::size_t at = 304;
    for (std::uint32_t p = 0; p < programs; ++p)
        at += frameProgram(chunk, at, 40 + (at + 20 < chunk.size() ? chunk[at + 20] % 17 : 8));
    chunk.resize(at);
    std::copy_n("vxbk", 4, chunk.begin());
    putNumber(chunk, 4, 2);
    putNumber(chunk, 8, static_cast<std::uint32_t>(at));
    putNumber(chunk, 12, programs);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Tempfolder dir;
    AEffect* e = Fuzzing::open();
    Fuzzing::call(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    // The first byte chooses the chunk kind and whether the rest is taken at
    // its own size, fitted to the size of the first release's records, or
    // framed as a record of the current format, so that refusals and
    // malformed contents of both are reached.
    const bool isPreset = data[0] & 1;
    const int shape = (data[0] >> 1) % 3;
    std::vector<std::uint8_t> chunk(data + 1, data + size);
    if (shape == 1)
        chunk.resize(isPreset ? 336 : 42960);
    else if (shape == 2)
        frame(chunk, isPreset);
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
