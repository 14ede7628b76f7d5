#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/native_file.h"

namespace pantrel {

std::FILE* OpenFileForReading(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}

std::FILE* CreateNewFileForWriting(const std::filesystem::path& path) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
    }
    return file;
}

bool SyncFileToDisk(std::FILE* file) {
    return ::fsync(::fileno(file)) == 0;
}

}  // namespace pantrel
