// The folder the bank's programs are loaded from, and the program-file
// handlers that read them.
#pragma once

#include "programfileio.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Framework {

using Programfileios = std::vector<std::shared_ptr<const Programfileio>>;

struct Bankfolder {
    explicit Bankfolder(Programfileios handlers) : handlers(std::move(handlers)) {}

    // Takes slot's program from a program file's chunk of size bytes;
    // answers whether it held a whole program. Called with no chunk for a
    // slot that gets the default program.
    using Slotreader = std::function<bool(int slot, const void* chunk, int size)>;

    // Fills count program slots from the program files in folder, in name
    // order as Windows lists them (case ignored, then the exact bytes) on
    // every system, so a host's program number names the same file on every
    // machine; each file's chunk (of at most
    // capacity bytes) through read; every slot no file fills gets the
    // default program. The folder path goes into folderField (fieldSize
    // bytes, zero-terminated). Answers whether anything exists at the path.
    // A path that does not fit the field is not used: all slots get the
    // default program and the field is cleared.
    bool take(const std::string& folder, int count, int capacity, const Slotreader& read, char* folderField,
              std::size_t fieldSize);

    // The current bank folder; empty until the first scan.
    std::string path;
    // The program file each slot was filled from, by slot; empty for a slot
    // that got the default program for want of a file.
    std::vector<std::string> files;
    const Programfileios handlers;
};

} // namespace Framework
