#include "spec/input_file.h"

namespace pantrel {

InputFile OpenInputFile(const std::string& path) {
    // Paths are UTF-8, which is what the file system takes here; a Windows build opens them
    // through the wide-character call instead.
    return InputFile{std::fopen(path.c_str(), "rb")};
}

}  // namespace pantrel
