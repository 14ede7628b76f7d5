// Start-up of Pantrel: one silent operation on a driver specification file, or the window.

#include <filesystem>
#include <iostream>
#include <memory>

#include "app/cli_commands.h"
#include "app/command_line.h"
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

    switch (command.action) {
        case CommandAction::Install:
            return RunInstall(context, command.path);
        case CommandAction::Uninstall:
            return RunUninstall(context, command.path);
        case CommandAction::List:
            return RunList(context);
        case CommandAction::Validate:
            return RunValidate(context, command.path);
        case CommandAction::Export:
            return RunExport(context, command.path);
        case CommandAction::Window:
            break;
    }
#ifdef PANTREL_WITH_UI
    if (CanOpenDisplay()) {
        return RunMainWindow(argc, argv, storeFile);
    }
#endif
    PrintUsage(std::cerr);
    return EXIT_NO_DISPLAY;
}
