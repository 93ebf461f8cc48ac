// Files written whole or not at all: what a reader finds at a path is
// always a complete file, the old one or the new one, whatever happens
// during the write (a full disk, the process ended, another process).
#pragma once

#include <string>

namespace Framework {

// Writes bytes as the file at path: to a new file in the same folder under
// a name no other write uses, flushed to the disk, then renamed over path.
// False when any step fails; the old file then stays whole and the new one
// is removed. Whatever stands at path (a link too) is replaced, never
// written through.
bool writeWhole(const std::string& path, const std::string& bytes);

} // namespace Framework
