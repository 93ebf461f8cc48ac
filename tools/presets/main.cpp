// presets: writes the factory bank's program files from the readable list.
//   presets LIST FOLDER
#include "presetlist.h"

#include "framework/plugin/vstfxpfileio.h"
#include "module/factory.h"

#include <fstream>
#include <iostream>
#include <iterator>

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
    const Framework::Plugininfo info = vexatoneInfo();
    const Framework::VSTfxpfileio writer(info.uniqueId, info.numParams, vexatoneVersion);
    for (std::size_t i = 0; i < presets.programs().size(); ++i) {
        const Vexprogram& program = presets.programs()[i];
        const std::string path = std::string(argv[2]) + "/" + presets.fileName(i);
        if (!writer.write(program.name, &program, sizeof program, path)) {
            std::cerr << "presets: cannot write " << path << '\n';
            return 1;
        }
        std::cout << path << '\n';
    }
    return 0;
}
