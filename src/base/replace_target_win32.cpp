#include <windows.h>

#include "base/file_errors.h"
#include "base/replace_target.h"

namespace pantrel {

namespace fs = std::filesystem;

namespace {

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

}  // namespace

std::error_code InspectTarget(const fs::path& target, ReplaceTarget& found) {
    found = ReplaceTarget{target};
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};  // nothing there, or a folder that is not: the write itself says which
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    // A console, a printer port or a pipe stands at some names; only a file on a disk is taken.
    const HandleCloser file{CreateFileW(target.c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE || GetFileType(file.handle) != FILE_TYPE_DISK) {
        return make_error_code(FileRefusal::NotRegularFile);
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return make_error_code(FileRefusal::ReadOnly);
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        std::error_code error;
        found.file = fs::canonical(target, error);
        if (error) {
            return error;
        }
    }
    found.exists = true;
    return {};
}

// The replacement takes the folder's permissions, as a file saved there by any program does.
std::error_code TakeOverOwnerAndMode(std::FILE*, const ReplaceTarget&) {
    return {};
}

// A file open here cannot be deleted by another run: nothing to mark.
void HoldWhileWriting(std::FILE*) {}

void RemoveIfNotHeld(const fs::path& path) {
    std::error_code ignored;
    if (fs::is_regular_file(fs::symlink_status(path, ignored))) {
        fs::remove(path, ignored);
    }
}

}  // namespace pantrel
