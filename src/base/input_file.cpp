#include "base/input_file.h"

#include <filesystem>
#include <system_error>

#include "base/native_file.h"
#include "base/utf8_path.h"

namespace pantrel {

InputFile OpenInputFile(const std::string& path) {
    // Only a regular file holds a specification: a folder holds no text, a device such as
    // /dev/zero never ends and a pipe may never deliver, so the parser would wait for ever.
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return {};
    }
    return InputFile{OpenFileForReading(file)};
}

}  // namespace pantrel
