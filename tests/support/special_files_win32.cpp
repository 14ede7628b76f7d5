#include "base/utf8_path.h"
#include "special_files.h"

namespace pantrel::testing_support {

std::vector<std::string> NonRegularFiles(const std::filesystem::path& folder) {
    // NUL is the null device, answering every read with nothing; Windows has no named pipes
    // in the file system.
    return {Utf8FromPath(folder), "NUL"};
}

}  // namespace pantrel::testing_support
