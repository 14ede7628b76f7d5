// Running one parsed command line to its exit status.
#pragma once

#include <optional>

#include "app/cli_commands.h"
#include "app/command_line.h"

namespace pantrel {

// Runs a silent command and answers its exit status; nothing when the command asks for the
// window, which each platform opens in its own way.
std::optional<int> RunCommand(const Command& command, const CommandContext& context);

}  // namespace pantrel
