#include "tempfolder.h"

#include "framework/platform/headless/headless.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

Tempfolder::Tempfolder()
{
    std::random_device seed;
    const fs::path base = fs::temp_directory_path() / ("vexatone-test-" + std::to_string(seed()));
    // An empty default bank folder, as an installed bundle has.
    fs::create_directories(base / "banks" / "default");
    folder = base.string();
    Framework::Headless::setModuleFolder(folder);
    Framework::Headless::clearShownErrors();
}

Tempfolder::~Tempfolder()
{
    Framework::Headless::setModuleFolder("");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

std::string Tempfolder::read(const std::string& name) const
{
    std::ifstream in(file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Tempfolder::write(const std::string& name, const std::string& contents) const
{
    std::ofstream(file(name), std::ios::binary) << contents;
}
