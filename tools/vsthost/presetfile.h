// A chunk preset file (.fxp): the effect it was saved from and the opaque
// chunk to hand back to that effect. Fields are big-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Presetfile {
public:
    // Reads the file; throws std::runtime_error naming it when it cannot be
    // read, is no chunk preset or claims a chunk the file does not hold.
    explicit Presetfile(const std::string& path);

    std::int32_t effectID() const { return fxID; }
    std::vector<char>& chunk() { return bytes; }

private:
    std::int32_t fxID = 0;
    std::vector<char> bytes;
};
