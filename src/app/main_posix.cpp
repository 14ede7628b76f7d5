// Start-up of Pantrel on Linux: one silent operation on a driver specification file, or the
// window.

#include <filesystem>
#include <iostream>

#include "app/cli_commands.h"
#include "app/command_line.h"
#include "app/run_command.h"
#include "registry/sqlite_store.h"

#ifdef PANTREL_WITH_UI
#include "ui/qt/main_window_runner.h"
#endif

int main(int argc, char** argv) {
    using namespace pantrel;
    const Command command = ParseCommandLine(JoinArguments(argc, argv));
    const std::filesystem::path storeFile = DefaultStorePath();
    SqliteRegistryStore hive{storeFile};
    const CommandContext context{hive, storeFile.string(), std::cout, std::cerr};

    if (const std::optional<int> status = RunCommand(command, context)) {
        return *status;
    }
#ifdef PANTREL_WITH_UI
    if (CanOpenDisplay()) {
        return RunMainWindow(argc, argv, storeFile);
    }
#endif
    PrintUsage(std::cerr, "nie można otworzyć okna programu (brak ekranu).",
               "Rejestr: plik wskazany przez PANTREL_REGISTRY,\n"
               "a bez niej /var/lib/pantrel/registry.db.");
    return EXIT_NO_DISPLAY;
}
