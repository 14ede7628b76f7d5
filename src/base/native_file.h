#pragma once

#include <cstdio>
#include <filesystem>

namespace pantrel {

// The two ways the tool opens files by name, through the platform's own call for its path
// type (the wide-character call on Windows), so that no name is squeezed through a code page.
// Both answer null when the file cannot be opened.

// An existing file, for reading bytes.
std::FILE* OpenFileForReading(const std::filesystem::path& path);

// A new file, for writing bytes; fails when anything already stands at `path`, a link
// included, so nothing is ever written through a planted link.
std::FILE* CreateNewFileForWriting(const std::filesystem::path& path);

}  // namespace pantrel
