#include "app/store_choice.h"

#include <ostream>
#include <system_error>

#include "registry/sqlite_store.h"

namespace pantrel {

bool CheckStoreName(const std::filesystem::path& file, std::ostream& err) {
    if (!IsPlainStorePath(file)) {
        err << "pantrel: PANTREL_REGISTRY musi wskazywać plik rejestru, a wskazuje '"
            << file.string() << "'\n";
        return false;
    }
    // SQLite would only say it cannot open it, which reads as a matter of rights.
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        err << "pantrel: PANTREL_REGISTRY musi wskazywać plik rejestru, a '" << file.string()
            << "' jest folderem\n";
        return false;
    }
    return true;
}

}  // namespace pantrel
