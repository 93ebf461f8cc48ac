// The render command's arguments, checked for form. What must match the
// effect (program range, parameter names) is checked once it is loaded.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

class Renderoptions {
public:
    // Parses the arguments after "render"; throws std::invalid_argument for a
    // bad command line.
    Renderoptions(int argc, char** argv);

    std::string plugin;
    std::string input;
    std::string output;
    std::optional<int> program;
    std::optional<std::string> preset;
    // Parameter name and normalized value, in command-line order.
    std::vector<std::pair<std::string, float>> settings;
    int block = 512;
};
