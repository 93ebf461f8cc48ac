// Writes the skins: every image, the curve colours and a note, into
// FOLDER/<skin name>/.
#pragma once

#include "skinstyle.h"

#include <string>
#include <vector>

class Skinwriter {
public:
    // The files of every skin folder, sorted by name.
    static std::vector<std::string> fileNames();

    // The error naming the file that could not be written, "" on success.
    static std::string write(const Skinstyle& style, const std::string& folder);

    // colors.txt: band-1 to band-7 and main as A,R,G,B.
    static std::string colours(const Skinstyle& style);
};
