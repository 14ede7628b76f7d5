// Whether a path names a file only this process sees, such as its standard input.
#pragma once

#include <filesystem>

namespace pantrel {

// True when `absolute`, followed link by link, leads into the system's per-process view of open
// files (/dev/stdin, /dev/fd/N, /proc/self/fd/N): such a path names another file, or none, for
// every other program, so it cannot be stored for the universal driver to read.
bool NamesProcessOwnFile(const std::filesystem::path& absolute);

}  // namespace pantrel
