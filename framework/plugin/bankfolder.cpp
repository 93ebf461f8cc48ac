#include "bankfolder.h"

#include <boost/filesystem.hpp>

#include <cstring>

namespace fs = boost::filesystem;

namespace Framework {

namespace {

// Reads one file into a slot with the first handler that accepts its name
// and delivers a whole program; false when none does.
bool readProgram(const Programfileios& handlers, const fs::path& file, char* slot, std::size_t slotSize)
{
    const std::string name = file.filename().string();
    for (const auto& handler : handlers)
        if (handler->canread(name) &&
            handler->read(slot, static_cast<int>(slotSize), file.string()) == static_cast<int>(slotSize))
            return true;
    return false;
}

} // namespace

bool Bankfolder::take(const std::string& folder, void* slots, int count, std::size_t slotSize,
                      const void* defaultProgram, char* folderField, std::size_t fieldSize)
{
    char* bytes = static_cast<char*>(slots);
    int used = 0;
    bool exists = false;
    path = folder;
    std::memset(folderField, 0, fieldSize);
    if (folder.size() < fieldSize) {
        folder.copy(folderField, fieldSize - 1);
        boost::system::error_code error;
        const fs::path where(folder);
        exists = fs::exists(where, error);
        if (exists && fs::is_directory(where, error)) {
            for (fs::directory_iterator entry(where, error), end; !error && entry != end && used < count;
                 entry.increment(error)) {
                if (!fs::is_regular_file(entry->status()))
                    continue;
                const std::string name = entry->path().filename().string();
                bool accepted = false;
                for (const auto& handler : handlers)
                    accepted = accepted || handler->canread(name);
                if (!accepted)
                    continue;
                char* slot = bytes + slotSize * static_cast<std::size_t>(used++);
                if (!readProgram(handlers, entry->path(), slot, slotSize))
                    std::memcpy(slot, defaultProgram, slotSize);
            }
        }
    }
    for (; used < count; ++used)
        std::memcpy(bytes + slotSize * static_cast<std::size_t>(used), defaultProgram, slotSize);
    return exists;
}

} // namespace Framework
