// Text in fixed-length fields, as program records, files and the host's
// buffers hold it.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace Framework {

// Copies at most size - 1 characters of text into field (size bytes) and
// fills the rest with zeros, so the field always ends in one.
inline void copyText(char* field, std::size_t size, const std::string& text)
{
    if (!field || size == 0)
        return;
    std::memset(field, 0, size);
    text.copy(field, size - 1);
}

template <std::size_t N> void copyText(char (&field)[N], const std::string& text)
{
    copyText(field, N, text);
}

// The text of a field up to its first zero, or all of it when it has none.
template <std::size_t N> std::string textOf(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

} // namespace Framework
