// What stands at the name a file is written to, and the platform steps that keep it safe.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace pantrel {

// The file a replacement writes: the target itself, or the file its symbolic link names.
struct ReplaceTarget {
    std::filesystem::path file;
    bool exists = false;
    // Of an existing file on POSIX systems, handed on to its replacement.
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint32_t mode = 0;
};

// Looks at what stands at `target`. Only a regular file the running user may write by its mode
// bits (or read-only attribute), or a name where nothing stands, is taken; a device, pipe,
// socket or read-only file answers a FileRefusal, a folder `is_a_directory`.
std::error_code InspectTarget(const std::filesystem::path& target, ReplaceTarget& found);

// Gives the freshly written `file` the owner and mode of the file it replaces; a failure
// means the replacement would change them, so it must not take place.
std::error_code TakeOverOwnerAndMode(std::FILE* file, const ReplaceTarget& target);

// Marks the temporary `file` as being written, so that no other run takes it for a stale one.
void HoldWhileWriting(std::FILE* file);

// Removes `path` when it is a regular file (never through a link) that no run is writing.
void RemoveIfNotHeld(const std::filesystem::path& path);

}  // namespace pantrel
