// A skin's small list file: entries "key:list", the list a line of
// comma-separated integers, for example "band-1:32,3,255,0".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Listfile {
public:
    // Reads the file at path; a missing or unreadable file has no entries.
    explicit Listfile(const std::string& path);

    // The numbers of the key's last entry; none for a key that does not occur.
    std::vector<int> numbers(const std::string& key) const;
    // The key's four numbers, alpha, red, green and blue, as an ARGB
    // colour; fallback for a key without exactly four.
    std::uint32_t colour(const std::string& key, std::uint32_t fallback) const;

    // Keys and lists longer than this end the reading.
    static constexpr std::size_t maxLength = 255;

private:
    std::map<std::string, std::string> entries;
};
