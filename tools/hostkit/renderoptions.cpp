#include "renderoptions.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace {

long integer(const std::string& text, const char* option)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || errno || value < INT_MIN || value > INT_MAX)
        throw std::invalid_argument(std::string(option) + " takes a whole number, not '" + text + "'");
    return value;
}

std::pair<std::string, float> setting(const std::string& text)
{
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
        throw std::invalid_argument("--set takes NAME=VALUE, not '" + text + "'");
    const std::string number = text.substr(equals + 1);
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (number.empty() || *end || !(value >= 0.0 && value <= 1.0))
        throw std::invalid_argument("--set " + text + ": the value must be a number from 0 to 1");
    return {text.substr(0, equals), static_cast<float>(value)};
}

double seconds(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(value >= 0.0 && value <= 3600.0))
        throw std::invalid_argument("--at takes seconds from 0 to 3600, not '" + text + "'");
    return value;
}

// "X,Y" within the editor's 800 by 380 layout pixels.
std::pair<int, int> point(const std::string& text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        throw std::invalid_argument("--pointer takes X,Y, not '" + text + "'");
    const long x = integer(text.substr(0, comma), "--pointer"), y = integer(text.substr(comma + 1), "--pointer");
    if (x < 0 || x >= 800 || y < 0 || y >= 380)
        throw std::invalid_argument("--pointer must lie within 800 by 380, not '" + text + "'");
    return {static_cast<int>(x), static_cast<int>(y)};
}

} // namespace

Renderoptions::Renderoptions(int argc, char** argv, Command command)
{
    const bool render = command == Command::render;
    std::vector<std::string> files;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) != 0) {
            files.push_back(argument);
            continue;
        }
        if (i + 1 == argc)
            throw std::invalid_argument(argument + " needs a value");
        const std::string value = argv[++i];
        if (argument == "--program")
            program = static_cast<int>(integer(value, "--program"));
        else if (argument == "--preset")
            preset = value;
        else if (argument == "--home")
            home = value;
        else if (argument == "--set")
            settings.push_back(setting(value));
        else if (argument == "--block" && render)
            block = static_cast<int>(integer(value, "--block"));
        else if (argument == "--save-preset" && render)
            savePreset = value;
        else if (argument == "--repaints" && !render)
            repaints = static_cast<int>(integer(value, "--repaints"));
        else if (argument == "--scale" && !render)
            scale = static_cast<int>(integer(value, "--scale"));
        else if (argument == "--input" && !render)
            input = value;
        else if (argument == "--at" && !render)
            at = seconds(value);
        else if (argument == "--pointer" && !render)
            pointer.push_back(point(value));
        else
            throw std::invalid_argument("unknown option " + argument);
    }
    if (render && files.size() != 3)
        throw std::invalid_argument("render takes PLUGIN.dll IN.wav OUT.wav");
    if (!render && files.size() != 2)
        throw std::invalid_argument("snapshot takes PLUGIN.dll OUT.png");
    if (block < 1 || block > 65536)
        throw std::invalid_argument("--block must be from 1 to 65536");
    if (repaints < 0 || repaints > 100000)
        throw std::invalid_argument("--repaints must be from 0 to 100000");
    if (scale != 0 && (scale < 100 || scale > 200 || scale % 25 != 0))
        throw std::invalid_argument("--scale must be 100, 125, 150, 175 or 200");
    plugin = files.front();
    if (at && input.empty())
        throw std::invalid_argument("--at needs --input");
    if (render)
        input = files[1];
    output = files.back();
}
