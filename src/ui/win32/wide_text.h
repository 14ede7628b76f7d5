#pragma once

#include <string>
#include <string_view>

namespace pantrel::win32 {

// The window speaks UTF-16 to the system and UTF-8 to the rest of the program, so model names
// and paths keep every letter whatever the system's ANSI code page.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace pantrel::win32
