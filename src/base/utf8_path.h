// Conversions between UTF-8 text and file-system paths.
#pragma once

#include <filesystem>
#include <string>

namespace pantrel {

// Paths travel through the tool as UTF-8 text. These convert at the file-system boundary
// without going through the system's 8-bit code page, so that a file named "wagi łódź.xml" is
// found on Windows whatever its ANSI code page is.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace pantrel
