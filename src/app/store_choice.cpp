#include "app/store_choice.h"

#include <ostream>

#include "registry/sqlite_store.h"

namespace pantrel {

bool CheckStoreName(const std::filesystem::path& file, std::ostream& err) {
    if (IsPlainStorePath(file)) {
        return true;
    }
    err << "pantrel: PANTREL_REGISTRY musi wskazywać plik rejestru, a wskazuje '" << file.string()
        << "'\n";
    return false;
}

}  // namespace pantrel
