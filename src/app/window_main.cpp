// The window program. `pantrel` started without a switch runs it in its own place once it knows
// that a display can be opened, so that only the window loads Qt.

#include "registry/sqlite_store.h"
#include "ui/qt/main_window_runner.h"

int main(int argc, char** argv) {
    using namespace pantrel;
    return RunMainWindow(argc, argv, DefaultStorePath());
}
