#include "sizesetting.h"

#include "framework/platform/platform.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

std::optional<std::string> contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// Where the plug-in, run by this host's user, keeps its settings.
std::string Sizesetting::file()
{
    return Framework::userFolder(Framework::Userdata::settings) + Framework::pathSeparator + "Vexatone.ini";
}

// Key and value lines in pairs, as the plug-in writes them.
Sizesetting::Sizesetting(int percent) : path(file())
{
    if (percent == 0)
        return;
    const std::optional<std::string> before = contents(path);
    if (!before)
        throw std::runtime_error(path + ": no settings file to name the size in");
    std::vector<std::string> lines;
    std::istringstream in(*before);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    bool named = false;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
        if (lines[i] == "size") {
            lines[i + 1] = std::to_string(percent);
            named = true;
        }
    if (!named) {
        lines.push_back("size");
        lines.push_back(std::to_string(percent));
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        out << line << "\r\n";
    if (!out)
        throw std::runtime_error(path + ": cannot write the size");
    saved = before;
}

Sizesetting::~Sizesetting()
{
    if (saved)
        std::ofstream(path, std::ios::binary | std::ios::trunc) << *saved;
}
