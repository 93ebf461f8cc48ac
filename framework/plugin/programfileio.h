// One kind of program (preset) file that the bank folder can read.
#pragma once

#include <string>

namespace Framework {

class Programfileio {
public:
    virtual ~Programfileio() = default;

    // The file name extension, with its dot.
    virtual std::string extension() const = 0;
    virtual bool canread(const std::string& fileName) const = 0;
    virtual bool canwrite(const std::string& fileName) const = 0;
    // Writes a file holding one program chunk; false when nothing was
    // written. A file already at path is replaced whole or left as it was.
    virtual bool write(const std::string& programName, const void* chunk, int size, const std::string& path) const = 0;
    // Reads a file's program chunk into destination, which holds capacity
    // bytes. Answers the number of bytes delivered; 0 for a file it cannot use.
    virtual int read(void* destination, int capacity, const std::string& path) const = 0;
};

} // namespace Framework
