// Replacing a file as a whole, never leaving it half-written.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace pantrel {

// Replaces `target` as a whole with `bytes`: they are written to a temporary file of a fresh,
// unique name created in the target's folder (never one that is already there, never through a
// link) and that file is then renamed over the target. Only a regular, writable file or a new
// name is replaced (InspectTarget), a symbolic link through to the file it names, which keeps
// its owner and mode. Temporary files that killed runs left in that folder are removed. On any
// failure only the new temporary file is removed and the target is left as it was; the error
// says why.
std::error_code ReplaceFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace pantrel
