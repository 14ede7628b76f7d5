#include <sys/stat.h>

#include "special_files.h"

namespace pantrel::testing_support {

std::vector<std::string> NonRegularFiles(const std::filesystem::path& folder) {
    std::vector<std::string> paths{folder.string(), "/dev/zero"};
    const std::string pipe = (folder / "potok.xml").string();
    if (mkfifo(pipe.c_str(), 0600) == 0) {
        paths.push_back(pipe);
    }
    return paths;
}

}  // namespace pantrel::testing_support
