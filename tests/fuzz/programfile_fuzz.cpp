// Any file handed to the program-file reader: it delivers a whole chunk that
// fits, or nothing, and never writes past its destination.
#include "framework/plugin/vstfxpfileio.h"

#include "fuzzing.h"
#include "unit/tempfolder.h"

#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Tempfolder dir;
    static const Framework::VSTfxpfileio reader(0x6B347739, 39, 1);
    const std::string path = dir.file("preset.fxp");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    for (int capacity : {0, 1, 335, 336, 424, 42960}) {
        // Exactly capacity bytes on the heap, so AddressSanitizer sees any overrun.
        std::vector<char> destination(static_cast<std::size_t>(capacity));
        const int delivered = reader.read(destination.data(), capacity, path);
        if (delivered < 0 || delivered > capacity)
            Fuzzing::fail("the reader answered a size outside its destination");
    }
    return 0;
}
