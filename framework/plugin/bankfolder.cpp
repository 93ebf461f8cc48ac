#include "bankfolder.h"

#include "fixedtext.h"

#include "framework/platform/nativepath.h"

#include <boost/filesystem.hpp>

#include <algorithm>
#include <string>
#include <vector>

namespace fs = boost::filesystem;

namespace Framework {

namespace {

// The name as Windows' file systems order names: UTF-16 code units with
// letters upper-cased (ASCII and Latin-1 here, which covers the names presets
// are given). Bytes that are not UTF-8 stand for themselves.
std::u16string windowsKey(const std::string& name)
{
    std::u16string key;
    for (std::size_t i = 0; i < name.size();) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = lead & (0x7F >> extra);
        bool whole = i + static_cast<std::size_t>(extra) < name.size();
        for (int k = 1; whole && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(name[i + static_cast<std::size_t>(k)]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!whole || c > 0x10FFFF)
            c = lead;
        i += whole ? 1 + static_cast<std::size_t>(extra) : 1;
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            c -= 0x20;
        if (c >= 0x10000) {
            key.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            key.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            key.push_back(static_cast<char16_t>(c));
        }
    }
    return key;
}

struct Listed {
    std::u16string key;
    std::string name;
    fs::path path;
};

// The regular files in folder, ordered by name as Windows lists them, names
// that differ only in case by their bytes, so that every system (and every
// machine) gives a program file the same slot.
std::vector<Listed> filesByName(const fs::path& folder)
{
    std::vector<Listed> files;
    boost::system::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        boost::system::error_code unreadable;
        if (!fs::is_regular_file(entry->status(unreadable)))
            continue;
        const std::string name = utf8Path(entry->path().filename());
        files.push_back({windowsKey(name), name, entry->path()});
    }
    std::sort(files.begin(), files.end(),
              [](const Listed& a, const Listed& b) { return a.key != b.key ? a.key < b.key : a.name < b.name; });
    return files;
}

} // namespace

bool Bankfolder::take(const std::string& folder, int count, int capacity, const Slotreader& read, char* folderField,
                      std::size_t fieldSize)
{
    std::vector<char> chunk(static_cast<std::size_t>(capacity));
    int used = 0;
    bool exists = false;
    path = folder;
    files.assign(static_cast<std::size_t>(count > 0 ? count : 0), std::string());
    copyText(folderField, fieldSize, folder.size() < fieldSize ? folder : std::string());
    if (folder.size() < fieldSize) {
        boost::system::error_code error;
        const fs::path where = nativePath(folder);
        exists = fs::exists(where, error);
        if (exists && fs::is_directory(where, error)) {
            for (const Listed& file : filesByName(where)) {
                if (used >= count)
                    break;
                // Each accepted file uses the next slot; one that no handler
                // reads as a whole program leaves the default program there.
                bool accepted = false, taken = false;
                for (const auto& handler : handlers)
                    if (handler->canread(file.name)) {
                        accepted = true;
                        const int size = taken ? 0 : handler->read(chunk.data(), capacity, utf8Path(file.path));
                        taken = taken || (size > 0 && read(used, chunk.data(), size));
                    }
                if (!accepted)
                    continue;
                if (!taken)
                    read(used, nullptr, 0);
                files[static_cast<std::size_t>(used)] = utf8Path(file.path);
                ++used;
            }
        }
    }
    for (; used < count; ++used)
        read(used, nullptr, 0);
    return exists;
}

} // namespace Framework
