// File paths between the portable code, which holds them as UTF-8 text, and
// the system's file functions.
#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

namespace Framework {

// The path as the system's file functions, Boost.Filesystem and the standard
// streams take it (open a stream with nativePath(text).c_str()). On Windows
// it is UTF-16, so that a folder named in any script works; text that is not
// UTF-8 is read in the ANSI code page, as earlier versions wrote paths.
boost::filesystem::path nativePath(const std::string& text);

// The path as UTF-8 text.
std::string utf8Path(const boost::filesystem::path& path);

} // namespace Framework
