#pragma once

#include "registry/registry_store.h"

namespace pantrel {

// Opens the main window over `hive` and returns when it is closed.
int RunMainWindow(RegistryStore& hive);

}  // namespace pantrel
