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

// The program files in folder that the first handler reads, by name.
std::vector<Presetfolder::Preset> Presetfolder::presetsIn(const std::string& folder) const
{
    std::vector<Preset> presets;
    boost::system::error_code error, unreadable;
    for (fs::directory_iterator file(nativePath(folder), error), last; !error && file != last; file.increment(error)) {
        const std::string name = utf8Path(file->path().filename());
        if (fs::is_regular_file(file->status(unreadable)) && bank.handlers.front()->canread(name))
            presets.push_back({utf8Path(file->path().stem()), utf8Path(file->path())});
    }
    std::sort(presets.begin(), presets.end(), [](const Preset& a, const Preset& b) { return byName(a.name, b.name); });
    return presets;
}

std::vector<Presetfolder::Folder> Presetfolder::subfolders() const
{
    std::vector<Folder> folders;
    if (bank.handlers.empty())
        return folders;
    // The user's own presets, and those that earlier versions saved in the
    // bank folder's User folder, under one "User"; the user's own win a name
    // that both hold.
    Folder user{userMenu, presetsIn(userFolder(Userdata::presets))};
    boost::system::error_code error;
    for (fs::directory_iterator entry(nativePath(bank.path), error), end; !bank.path.empty() && !error && entry != end;
         entry.increment(error)) {
        boost::system::error_code unreadable;
        if (!fs::is_directory(entry->status(unreadable)))
            continue;
        Folder folder{utf8Path(entry->path().filename()), presetsIn(utf8Path(entry->path()))};
        if (folder.name == userMenu) {
            for (Preset& preset : folder.presets)
                if (std::none_of(user.presets.begin(), user.presets.end(),
                                 [&](const Preset& own) { return lowered(own.name) == lowered(preset.name); }))
                    user.presets.push_back(std::move(preset));
            std::sort(user.presets.begin(), user.presets.end(),
                      [](const Preset& a, const Preset& b) { return byName(a.name, b.name); });
        } else if (!folder.presets.empty()) {
            folders.push_back(std::move(folder));
        }
    }
    if (!user.presets.empty())
        folders.push_back(std::move(user));
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
    const std::string folder = userFolder(Userdata::presets);
    const std::string extension = bank.handlers.empty() ? std::string() : bank.handlers.front()->extension();
    return folder.empty() ? std::string() : folder + pathSeparator + name + extension;
}

bool Presetfolder::exists(const std::string& name) const
{
    boost::system::error_code error;
    const std::string file = userFile(name);
    return !file.empty() && fs::exists(fs::symlink_status(nativePath(file), error));
}

bool Presetfolder::write(const std::string& name, const void* record, int size) const
{
    if (bank.handlers.empty() || check(name) != Namecheck::fine)
        return false;
    const std::string file = userFile(name);
    if (file.empty())
        return false;
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
