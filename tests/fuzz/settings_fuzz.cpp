// Any settings file: what loads saves back so that it loads the same, and a
// second save writes the same bytes.
#include "framework/plugin/settingsfile.h"

#include "fuzzing.h"
#include "unit/tempfolder.h"

#include <fstream>
#include <string>

namespace {

Framework::Settingsfile loaded(const std::string& path)
{
    Framework::Settingsfile settings(path);
    settings.add("skin", "Red");
    settings.add("def-bank-path", "C:\\banks\\");
    settings.add("size", "screen");
    settings.load();
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Tempfolder dir;
    const std::string path = dir.file("Vexatone.ini");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Framework::Settingsfile first = loaded(path);
    first.save();
    const std::string written = dir.read("Vexatone.ini");
    Framework::Settingsfile second = loaded(path);
    for (const char* key : {"skin", "def-bank-path", "size"})
        if (first.get(key) != second.get(key))
            Fuzzing::fail("a saved value loaded differently");
    second.save();
    if (dir.read("Vexatone.ini") != written)
        Fuzzing::fail("a second save wrote other bytes");
    return 0;
}
