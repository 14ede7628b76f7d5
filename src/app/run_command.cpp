#include "app/run_command.h"

namespace pantrel {

std::optional<int> RunCommand(const Command& command, const CommandContext& context) {
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
    return std::nullopt;
}

}  // namespace pantrel
