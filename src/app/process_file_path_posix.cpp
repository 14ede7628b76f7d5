#include <system_error>

#include "app/process_file_path.h"

namespace pantrel {

namespace fs = std::filesystem;

namespace {

bool IsInProcessView(const fs::path& path) {
    const auto first = ++path.begin();  // after the root
    return path.is_absolute() && first != path.end() && *first == "proc";
}

}  // namespace

bool NamesProcessOwnFile(const fs::path& absolute) {
    constexpr int kMostLinks = 40;  // as the system gives up on a chain of links
    fs::path path = absolute;
    for (int link = 0; link < kMostLinks; ++link) {
        std::error_code error;
        const fs::path folder = fs::canonical(path.parent_path(), error);
        if (error) {
            return false;
        }
        path = folder / path.filename();
        if (IsInProcessView(path)) {
            return true;
        }
        if (!fs::is_symlink(path, error)) {
            return false;
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            return false;
        }
        path = target.is_absolute() ? target : folder / target;
    }
    return false;
}

}  // namespace pantrel
