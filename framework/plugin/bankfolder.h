// The folder the bank's programs are loaded from, and the program-file
// handlers that read them.
#pragma once

#include "programfileio.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Framework {

using Programfileios = std::vector<std::shared_ptr<const Programfileio>>;

struct Bankfolder {
    explicit Bankfolder(Programfileios handlers) : handlers(std::move(handlers)) {}

    // Fills count program slots of slotSize bytes from the program files in
    // folder, in the order the file system lists them; every slot no file
    // fills whole gets defaultProgram. The folder path goes into
    // folderField (fieldSize bytes, zero-terminated). Answers whether
    // anything exists at the path. A path that does not fit the field is
    // not used: all slots get the default program and the field is cleared.
    bool take(const std::string& folder, void* slots, int count, std::size_t slotSize, const void* defaultProgram,
              char* folderField, std::size_t fieldSize);

    // The current bank folder; empty until the first scan.
    std::string path;
    const Programfileios handlers;
};

} // namespace Framework
