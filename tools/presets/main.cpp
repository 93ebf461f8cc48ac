// presets: writes the factory bank's program files from the readable list.
//   presets LIST FOLDER
#include "presetlist.h"

#include "eq/vex.h"
#include "framework/plugin/programrecords.h"
#include "framework/plugin/vstfxpfileio.h"
#include "module/factory.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: presets LIST FOLDER\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "presets: cannot read " << argv[1] << '\n';
        return 1;
    }
    Presetlist presets;
    if (!presets.parse(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()))) {
        std::cerr << argv[1] << ": " << presets.error() << '\n';
        return 1;
    }
    // A preset that uses only what the first release had is written as that
    // release wrote it, so that release reads it and the files it shipped
    // stay as they were.
    const Framework::Plugininfo info = vexatoneInfo();
    const Framework::VSTfxpfileio writer(info.uniqueId, info.numParams, vexatoneVersion);
    const Framework::VSTfxpfileio firstWriter(info.uniqueId, vexFirstParameterCount, 1);
    const Framework::Programrecords records(vexParameterCount, vexFirstParameterCount, vexProgramCount);
    Vexprogram defaults;
    Vex::defaults(defaults);
    for (std::size_t i = 0; i < presets.programs().size(); ++i) {
        Vexprogram program = presets.programs()[i];
        const bool first = std::equal(program.values + vexFirstParameterCount, program.values + vexParameterCount,
                                      defaults.values + vexFirstParameterCount);
        std::vector<unsigned char> record(first ? records.firstProgramSize() : records.programSize());
        if (first)
            records.writeFirstProgram({program.values, program.name}, record.data());
        else
            records.writeProgram({program.values, program.name}, record.data());
        const std::string path = std::string(argv[2]) + "/" + presets.fileName(i);
        if (!(first ? firstWriter : writer).write(program.name, record.data(), static_cast<int>(record.size()), path)) {
            std::cerr << "presets: cannot write " << path << '\n';
            return 1;
        }
        std::cout << path << '\n';
    }
    return 0;
}
