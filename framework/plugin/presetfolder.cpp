#include "presetfolder.h"

#include "programrecords.h"

#include "framework/platform/nativepath.h"
#include "framework/platform/platform.h"

#include <boost/filesystem.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace fs = boost::filesystem;

namespace Framework {

namespace {

std::string lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool byName(const std::string& a, const std::string& b)
{
    const std::string la = lowered(a), lb = lowered(b);
    return la != lb ? la < lb : a < b;
}

// Names Windows gives to devices, in any case and with any extension.
bool isDeviceName(const std::string& name)
{
    std::string base = lowered(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base == "con" || base == "prn" || base == "aux" || base == "nul")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

} // namespace

std::vector<Presetfolder::Folder> Presetfolder::subfolders() const
{
    std::vector<Folder> folders;
    if (bank.path.empty() || bank.handlers.empty())
        return folders;
    boost::system::error_code error;
    for (fs::directory_iterator entry(nativePath(bank.path), error), end; !error && entry != end;
         entry.increment(error)) {
        boost::system::error_code unreadable;
        if (!fs::is_directory(entry->status(unreadable)))
            continue;
        Folder folder{utf8Path(entry->path().filename()), {}};
        boost::system::error_code inner;
        for (fs::directory_iterator file(entry->path(), inner), last; !inner && file != last; file.increment(inner)) {
            const std::string name = utf8Path(file->path().filename());
            if (fs::is_regular_file(file->status(unreadable)) && bank.handlers.front()->canread(name))
                folder.presets.push_back({utf8Path(file->path().stem()), utf8Path(file->path())});
        }
        if (folder.presets.empty())
            continue;
        std::sort(folder.presets.begin(), folder.presets.end(),
                  [](const Preset& a, const Preset& b) { return byName(a.name, b.name); });
        folders.push_back(std::move(folder));
    }
    std::sort(folders.begin(), folders.end(), [](const Folder& a, const Folder& b) { return byName(a.name, b.name); });
    return folders;
}

Presetfolder::Namecheck Presetfolder::check(const std::string& name)
{
    if (name.find_first_not_of(". ") == std::string::npos)
        return Namecheck::empty;
    if (name.size() > longestName)
        return Namecheck::tooLong;
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127 || std::strchr("<>:\"/\\|?*", c))
            return Namecheck::character;
    }
    if (name.back() == '.' || name.back() == ' ')
        return Namecheck::ending;
    return isDeviceName(name) ? Namecheck::reserved : Namecheck::fine;
}

std::string Presetfolder::userFile(const std::string& name) const
{
    std::string folder = bank.path;
    if (!folder.empty() && folder.back() != '/' && folder.back() != pathSeparator)
        folder += pathSeparator;
    const std::string extension = bank.handlers.empty() ? std::string() : bank.handlers.front()->extension();
    return folder + userFolder + pathSeparator + name + extension;
}

bool Presetfolder::exists(const std::string& name) const
{
    boost::system::error_code error;
    return fs::exists(nativePath(userFile(name)), error);
}

bool Presetfolder::write(const std::string& name, const void* record, int size) const
{
    if (bank.path.empty() || bank.handlers.empty() || check(name) != Namecheck::fine)
        return false;
    const std::string file = userFile(name);
    boost::system::error_code error;
    fs::create_directories(nativePath(file).parent_path(), error);
    return !error && bank.handlers.front()->write(name, record, size, file);
}

std::vector<unsigned char> Presetfolder::read(const std::string& path) const
{
    std::vector<unsigned char> record(Programrecords::largestProgram);
    for (const auto& handler : bank.handlers)
        if (handler->canread(path)) {
            const int size = handler->read(record.data(), static_cast<int>(record.size()), path);
            if (size > 0) {
                record.resize(static_cast<std::size_t>(size));
                return record;
            }
        }
    return {};
}

} // namespace Framework
