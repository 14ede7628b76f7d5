// Paths of things that are not regular files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pantrel::testing_support {

// Names of things that are no regular files and that a reader could wait on for ever: the
// folder `folder` itself, the system's endless device and, where there are any, a named pipe
// nobody writes to, made inside `folder`. Paths in UTF-8.
std::vector<std::string> NonRegularFiles(const std::filesystem::path& folder);

}  // namespace pantrel::testing_support
