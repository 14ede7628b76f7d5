#include "spec/input_file.h"

#include <filesystem>
#include <system_error>

namespace pantrel {

InputFile OpenInputFile(const std::string& path) {
    // Only a regular file holds a specification: a folder holds no text, a device such as
    // /dev/zero never ends and a pipe may never deliver, so the parser would wait for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    // Paths are UTF-8, which is what the file system takes here; a Windows build opens them
    // through the wide-character call instead.
    return InputFile{std::fopen(path.c_str(), "rb")};
}

}  // namespace pantrel
