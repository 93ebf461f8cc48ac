#include "bankfolder.h"

#include "fixedtext.h"

#include "framework/platform/nativepath.h"

#include <boost/filesystem.hpp>

#include <cstring>

namespace fs = boost::filesystem;

namespace Framework {

bool Bankfolder::take(const std::string& folder, void* slots, int count, std::size_t slotSize,
                      const void* defaultProgram, char* folderField, std::size_t fieldSize)
{
    char* bytes = static_cast<char*>(slots);
    int used = 0;
    bool exists = false;
    path = folder;
    copyText(folderField, fieldSize, folder.size() < fieldSize ? folder : std::string());
    if (folder.size() < fieldSize) {
        boost::system::error_code error;
        const fs::path where = nativePath(folder);
        exists = fs::exists(where, error);
        if (exists && fs::is_directory(where, error)) {
            for (fs::directory_iterator entry(where, error), end; !error && entry != end && used < count;
                 entry.increment(error)) {
                boost::system::error_code unreadable;
                if (!fs::is_regular_file(entry->status(unreadable)))
                    continue;
                // Each accepted file uses the next slot; one that no handler
                // reads as a whole program leaves the default program there.
                const std::string name = utf8Path(entry->path().filename());
                char* slot = bytes + slotSize * static_cast<std::size_t>(used);
                bool accepted = false, read = false;
                for (const auto& handler : handlers)
                    if (handler->canread(name)) {
                        accepted = true;
                        read = read || handler->read(slot, static_cast<int>(slotSize), utf8Path(entry->path())) ==
                                           static_cast<int>(slotSize);
                    }
                if (!accepted)
                    continue;
                if (!read)
                    std::memcpy(slot, defaultProgram, slotSize);
                ++used;
            }
        }
    }
    for (; used < count; ++used)
        std::memcpy(bytes + slotSize * static_cast<std::size_t>(used), defaultProgram, slotSize);
    return exists;
}

} // namespace Framework
