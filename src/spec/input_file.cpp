#include "spec/input_file.h"

#include <filesystem>
#include <system_error>

namespace pantrel {

InputFile OpenInputFile(const std::string& path) {
    // A folder opens for reading on some systems but holds no text.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return {};
    }
    // Paths are UTF-8, which is what the file system takes here; a Windows build opens them
    // through the wide-character call instead.
    return InputFile{std::fopen(path.c_str(), "rb")};
}

}  // namespace pantrel
