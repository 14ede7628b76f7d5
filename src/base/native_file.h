// Opening, creating and syncing files through the platform's own calls.
#pragma once

#include <cstdio>
#include <filesystem>

namespace pantrel {

// The ways the tool opens files by name, through the platform's own call for its path
// type (the wide-character call on Windows), so that no name is squeezed through a code page.
// Both answer null when the file cannot be opened.

// An existing file, for reading bytes.
std::FILE* OpenFileForReading(const std::filesystem::path& path);

// A new file, for writing bytes; fails when anything already stands at `path`, a link
// included, so nothing is ever written through a planted link. Programs the tool starts do not
// inherit it. On failure errno says why.
std::FILE* CreateNewFileForWriting(const std::filesystem::path& path);

// Asks the system to put the file's written data on the disk; false when it could not.
bool SyncFileToDisk(std::FILE* file);

}  // namespace pantrel
