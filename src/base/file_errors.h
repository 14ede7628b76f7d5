// File existence and the Polish reasons a file could not be read or written.
#pragma once

#include <string>
#include <system_error>

namespace pantrel {

// Why the tool will not write over what stands at a file's name.
enum class FileRefusal {
    NotRegularFile = 1,  // a device, pipe or socket
    ReadOnly,            // a file marked read-only by its mode bits or attribute
    DanglingLink,        // a symbolic link to nothing
};
std::error_code make_error_code(FileRefusal refusal);

// True when the file-system status of `path` (UTF-8) can be read.
bool FileExists(const std::string& path);

// True for a path longer than the system takes as a whole, or with a name in it that is.
bool IsPathTooLong(const std::error_code& error);

// The Polish reason a file could not be written, to stand after "nie można zapisać pliku 'X': ".
std::string FileErrorReason(const std::error_code& error);

}  // namespace pantrel

template <>
struct std::is_error_code_enum<pantrel::FileRefusal> : std::true_type {};
