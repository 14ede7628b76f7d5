// Start-up of pantrel.exe, a windowed program: one silent operation on a driver specification
// file, written into the real registry, or, without a switch, the window.

#include <windows.h>

#include <memory>
#include <string>

#include "app/cli_commands.h"
#include "app/command_line.h"
#include "app/desktop_presence_win32.h"
#include "app/event_log_sink_win32.h"
#include "app/message_box_sink_win32.h"
#include "app/run_command.h"
#include "app/standard_streams_win32.h"
#include "base/wide_text_win32.h"
#include "registry/model_registry.h"
#include "registry/win32_store.h"
#include "ui/store_access.h"
#include "ui/win32/main_window_runner.h"

int main() {
    using namespace pantrel;
    // The switch is read from the command line as Windows gives it, in UTF-16, so that a path
    // with Polish letters survives whatever the ANSI code page is.
    const Command command = ParseCommandLine(Utf8FromWide(TextAfterProgramName(GetCommandLineW())));

    StandardStreams streams;
    Win32RegistryStore hive;
    MessageBoxSink messageBox;
    EventLogSink eventLog;
    // A message box no one can see would hold an installer run as a service for ever; there the
    // loader's message goes to the event log besides standard error.
    const bool desktop = HasVisibleDesktop();
    MessageSink* const shownAlso = desktop ? static_cast<MessageSink*>(&messageBox) : &eventLog;
    const std::string storeName = "HKEY_LOCAL_MACHINE\\" + std::string{DRIVERS_ROOT_KEY};
    const CommandContext context{hive, storeName, streams.Out(), streams.Err(), shownAlso};

    if (const std::optional<int> status = RunCommand(command, context)) {
        return *status;
    }
    if (!desktop) {
        PrintUsage(streams.Err(), "nie można otworzyć okna programu (brak widocznego pulpitu).",
                   "Rejestr: " + storeName + " (widok 32-bitowy).");
        return EXIT_NO_DISPLAY;
    }
    // The window opens the registry afresh for every operation, as the command line does once.
    return RunMainWindow(StoreAccess{
        storeName,
        [] { return std::unique_ptr<RegistryStore>{std::make_unique<Win32RegistryStore>()}; }});
}
