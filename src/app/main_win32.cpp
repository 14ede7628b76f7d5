// Start-up of pantrel.exe, a windowed program: one silent operation on a driver specification
// file, written into the real registry. The window comes in a later version; until then a start
// without a switch explains the switches.

#include <windows.h>

#include <sstream>
#include <string>

#include "app/cli_commands.h"
#include "app/command_line.h"
#include "app/message_box_sink_win32.h"
#include "app/run_command.h"
#include "app/standard_streams_win32.h"
#include "registry/model_registry.h"
#include "registry/wide_text_win32.h"
#include "registry/win32_store.h"

namespace {

constexpr const char* kWindowMissing =
    "okno programu nie jest jeszcze dostępne w wersji dla systemu Windows.";
constexpr const char* kStoreNote =
    "Rejestr: HKEY_LOCAL_MACHINE (widok 32-bitowy);\n"
    "zapis wymaga uprawnień administratora.";

}  // namespace

int main() {
    using namespace pantrel;
    // The switch is read from the command line as Windows gives it, in UTF-16, so that a path
    // with Polish letters survives whatever the ANSI code page is.
    const Command command = ParseCommandLine(Utf8FromWide(TextAfterProgramName(GetCommandLineW())));

    StandardStreams streams;
    Win32RegistryStore hive;
    MessageBoxSink messageBox;
    const std::string storeName = "HKEY_LOCAL_MACHINE\\" + std::string{DRIVERS_ROOT_KEY};
    const CommandContext context{hive, storeName, streams.Out(), streams.Err(), &messageBox};

    if (const std::optional<int> status = RunCommand(command, context)) {
        return *status;
    }
    if (streams.ErrorsAreSeen()) {
        PrintUsage(streams.Err(), kWindowMissing, kStoreNote);
    } else {
        // Started from Explorer there is nowhere to print: the explanation goes into a box.
        std::ostringstream usage;
        PrintUsage(usage, kWindowMissing, kStoreNote);
        MessageBoxSink{}.ShowError(usage.str());
    }
    return EXIT_NO_DISPLAY;
}
