// How the window opens the registry for each operation.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "registry/registry_store.h"

namespace pantrel {

// How the window reaches the registry. Every operation (a re-read, an add, a removal) opens the
// store afresh and lets it go at its end, as every registry operation opens and closes its keys,
// so the window always works on the store as it is on disk now, also after the file has been
// restored or replaced from outside.
struct StoreAccess {
    std::string name;  // how messages name the store: its file, or the registry hive
    std::function<std::unique_ptr<RegistryStore>()> open;
};

}  // namespace pantrel
