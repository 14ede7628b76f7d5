#pragma once

#include <iosfwd>
#include <string>

#include "registry/registry_store.h"

namespace pantrel {

// Exit statuses of a command-line run.
inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_NO_DISPLAY = 2;

// Where the command-line commands write and which store they name in their messages.
struct CommandContext {
    RegistryStore& hive;
    std::string storeName;  // the store's file, named when it cannot be written
    std::ostream& out;
    std::ostream& err;
};

// Each takes the path as the command line gave it (already trimmed) and answers the exit status.
// Every failure leaves one Polish line on `err` (the loader's message for a file that does not
// load), so an installer can tell failure from success.
int RunInstall(const CommandContext& context, const std::string& path);
int RunUninstall(const CommandContext& context, const std::string& path);
int RunList(const CommandContext& context);
int RunValidate(const CommandContext& context, const std::string& path);
int RunExport(const CommandContext& context, const std::string& file);

// The short Polish explanation of the switches shown when no window can be opened.
void PrintUsage(std::ostream& err);

}  // namespace pantrel
