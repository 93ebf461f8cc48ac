// A bank folder of up to four arbitrary files at start: whatever they hold,
// the effect starts, its audio stays finite and its parameters in 0..1.
#include "fuzzing.h"
#include "unit/tempfolder.h"

#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Tempfolder dir;
    // The input is the files one after another, each led by one byte that
    // says how much of the rest goes into it (in steps of 256 bytes, 0 for
    // all that is left).
    std::size_t at = 0;
    for (int file = 0; file < 4 && at < size; ++file) {
        const std::size_t steps = data[at++];
        const std::size_t length = steps ? std::min(size - at, steps * 256) : size - at;
        std::ofstream(dir.file("banks/default/" + std::to_string(file) + ".fxp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(data + at), static_cast<std::streamsize>(length));
        at += length;
    }
    AEffect* e = Fuzzing::open();
    Fuzzing::checkAudioAndParameters(e, 64);
    Fuzzing::call(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    for (VstInt32 program = 0; program < 5; ++program) {
        Fuzzing::call(e, effSetProgram, 0, program);
        Fuzzing::checkAudioAndParameters(e, 200);
    }
    Fuzzing::call(e, effClose);
    return 0;
}
