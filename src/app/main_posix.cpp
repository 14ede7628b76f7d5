// Start-up of Pantrel on Linux: one silent operation on a driver specification file, or the
// window.

#include <filesystem>
#include <iostream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/cli_commands.h"
#include "app/command_line.h"
#include "app/run_command.h"
#include "app/store_choice.h"
#include "app/window_launch.h"
#include "registry/sqlite_store.h"

int main(int argc, char** argv) {
    using namespace pantrel;
#ifdef __GLIBC__
    // An install builds one large tree and frees it before the store closes. glibc would keep
    // the freed nodes in its fast bins and walk all of them when the store's closing checkpoint
    // asks for a large block; without fast bins they are merged as they are freed.
    mallopt(M_MXFAST, 0);
    // The heap grows a megabyte at a time and is handed back only when 16 MB lie free at its top:
    // an install of thousands of models would otherwise ask the kernel hundreds of times. Only
    // pages in use count towards the memory the run takes.
    mallopt(M_TOP_PAD, 1 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 24);
#endif
    const Command command = ParseCommandLine(JoinArguments(argc, argv));
    const std::filesystem::path storeFile = DefaultStorePath();
    if (!CheckStoreName(storeFile, std::cerr)) {
        return EXIT_FAILED;
    }
    SqliteRegistryStore hive{storeFile};
    const CommandContext context{hive, storeFile.string(), std::cout, std::cerr};

    if (const std::optional<int> status = RunCommand(command, context)) {
        return *status;
    }
    return StartWindow(argv, storeFile, std::cerr);
}
