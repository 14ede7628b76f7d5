// The silent commands (-install, -uninstall, -list, -validate, -export) and their exit statuses.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "base/message_sink.h"
#include "registry/registry_store.h"

namespace pantrel {

// Exit statuses of a command-line run.
inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_NO_DISPLAY = 2;

// Where the command-line commands write and which store they name in their messages.
struct CommandContext {
    RegistryStore& hive;
    std::string storeName;  // the store (its file, or the registry key), named when it fails
    std::ostream& out;
    std::ostream& err;
    // Where the loader's messages are shown besides `err`: on Windows the message box, which a
    // silent run shows too; none on Linux.
    MessageSink* shownAlso = nullptr;
};

// Each takes the path as the command line gave it (already trimmed) and answers the exit status.
// Every failure leaves one Polish line on `err` (the loader's message for a file that does not
// load), so an installer can tell failure from success.
int RunInstall(const CommandContext& context, const std::string& path);
int RunUninstall(const CommandContext& context, const std::string& path);
int RunList(const CommandContext& context);
int RunValidate(const CommandContext& context, const std::string& path);
int RunExport(const CommandContext& context, const std::string& file);

// The short Polish explanation of the switches shown when no window can be opened: `reason`
// (one line), the switches, then `storeNote` (where the registry is).
void PrintUsage(std::ostream& err, std::string_view reason, std::string_view storeNote);

}  // namespace pantrel
