#include "app/process_file_path.h"

namespace pantrel {

// Windows has no file-system view of a process's open files.
bool NamesProcessOwnFile(const std::filesystem::path&) {
    return false;
}

}  // namespace pantrel
