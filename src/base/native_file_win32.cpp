#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "base/native_file.h"

namespace pantrel {

std::FILE* OpenFileForReading(const std::filesystem::path& path) {
    return _wfopen(path.c_str(), L"rb");
}

std::FILE* CreateNewFileForWriting(const std::filesystem::path& path) {
    // The C run-time the exe links has no "x" mode for fopen; _O_EXCL gives the same.
    const int descriptor =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
               _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        const int error = errno;
        _close(descriptor);
        errno = error;
    }
    return file;
}

bool SyncFileToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

}  // namespace pantrel
