// Which store file a command-line run opens, and whether it may.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace pantrel {

// Whether the machine's store may be opened under `file`; false after one Polish line on `err`
// when the name is no file path (PANTREL_REGISTRY=:memory: would keep nothing and look done) or
// names a folder.
bool CheckStoreName(const std::filesystem::path& file, std::ostream& err);

}  // namespace pantrel
