#include "bankfolder.h"

#include "fixedtext.h"

#include "framework/platform/nativepath.h"

#include <boost/filesystem.hpp>

#include <vector>

namespace fs = boost::filesystem;

namespace Framework {

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
            for (fs::directory_iterator entry(where, error), end; !error && entry != end && used < count;
                 entry.increment(error)) {
                boost::system::error_code unreadable;
                if (!fs::is_regular_file(entry->status(unreadable)))
                    continue;
                // Each accepted file uses the next slot; one that no handler
                // reads as a whole program leaves the default program there.
                const std::string name = utf8Path(entry->path().filename());
                bool accepted = false, taken = false;
                for (const auto& handler : handlers)
                    if (handler->canread(name)) {
                        accepted = true;
                        const int size = taken ? 0 : handler->read(chunk.data(), capacity, utf8Path(entry->path()));
                        taken = taken || (size > 0 && read(used, chunk.data(), size));
                    }
                if (!accepted)
                    continue;
                if (!taken)
                    read(used, nullptr, 0);
                files[static_cast<std::size_t>(used)] = utf8Path(entry->path());
                ++used;
            }
        }
    }
    for (; used < count; ++used)
        read(used, nullptr, 0);
    return exists;
}

} // namespace Framework
