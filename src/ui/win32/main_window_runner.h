// Running the Win32 main window.
#pragma once

#include "ui/store_access.h"

namespace pantrel {

// Runs the main window modally on the store; returns 0 when the window has been closed.
int RunMainWindow(StoreAccess store);

}  // namespace pantrel
