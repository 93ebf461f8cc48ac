// Text between the portable code's UTF-8 and the UTF-16 of Windows' wide
// functions.
#pragma once

#include <string>

namespace Framework {

// UTF-8 text as UTF-16; text that is not UTF-8 is read in the ANSI code page.
std::wstring wideText(const std::string& text);

// UTF-16 text as UTF-8.
std::string utf8Text(const std::wstring& text);

} // namespace Framework
