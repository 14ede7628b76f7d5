#include "spec/native_file.h"

namespace pantrel {

std::FILE* OpenFileForReading(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}

std::FILE* CreateNewFileForWriting(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wbx");
}

}  // namespace pantrel
