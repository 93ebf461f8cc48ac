// skins: draws the committed skins again.
//   skins FOLDER   writes FOLDER/Red/... and FOLDER/Ivory/...
#include "skinwriter.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: skins FOLDER\n";
        return 2;
    }
    for (const Skinstyle& style : Skinstyle::all()) {
        const std::string error = Skinwriter::write(style, argv[1]);
        if (!error.empty()) {
            std::cerr << "skins: " << error << '\n';
            return 1;
        }
        std::cout << argv[1] << "/" << style.name << '\n';
    }
    return 0;
}
