#include "tempfolder.h"

#include "framework/platform/headless/headless.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

// No test reaches the files of the user who runs it: the user's folders,
// for anything that asks outside a Tempfolder, are this run's own.
struct Ownhome {
    Ownhome() : path(fs::temp_directory_path() / ("vexatone-home-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(path);
        setenv("HOME", path.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (path / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (path / "data").c_str(), 1);
    }
    ~Ownhome()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    const fs::path path;
} ownhome;

} // namespace

Tempfolder::Tempfolder()
{
    std::random_device seed;
    const fs::path base = fs::temp_directory_path() / ("vexatone-test-" + std::to_string(seed()));
    // An empty default bank folder, as an installed bundle has.
    fs::create_directories(base / "banks" / "default");
    folder = base.string();
    Framework::Headless::setModuleFolder(folder);
    Framework::Headless::setUserFolder(folder + "/user");
    Framework::Headless::clearShownErrors();
}

Tempfolder::~Tempfolder()
{
    Framework::Headless::setModuleFolder("");
    Framework::Headless::setUserFolder("");
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
    fs::create_directories(fs::path(file(name)).parent_path());
    std::ofstream(file(name), std::ios::binary) << contents;
}
