#include "app/window_launch.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <system_error>

#include "app/cli_commands.h"

#ifdef PANTREL_WINDOW_PROGRAM
#include "ui/qt/display_probe.h"
#endif

namespace pantrel {
namespace {

void PrintNoDisplayUsage(std::ostream& err) {
    PrintUsage(err, "nie można otworzyć okna programu (brak ekranu).",
               "Rejestr: plik wskazany przez PANTREL_REGISTRY,\n"
               "a bez niej /var/lib/pantrel/registry.db.");
}

#ifdef PANTREL_WINDOW_PROGRAM
// The window program lies next to pantrel in the build folder, and in the installed tree in its
// own folder relative to the one of pantrel (bin/ → libexec/pantrel/). Both are found from where
// this executable really is, never from the search path.
std::filesystem::path FindWindowProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    const std::filesystem::path folder = self.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / PANTREL_WINDOW_PROGRAM,
          folder / PANTREL_WINDOW_FROM_BINDIR / PANTREL_WINDOW_PROGRAM}) {
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate.lexically_normal();
        }
    }
    return {};
}
#endif

}  // namespace

int StartWindow(char** argv, const std::filesystem::path& storeFile, std::ostream& err) {
#ifdef PANTREL_WINDOW_PROGRAM
    if (!qt::CanOpenDisplay()) {
        PrintNoDisplayUsage(err);
        return EXIT_NO_DISPLAY;
    }
    const std::filesystem::path program = FindWindowProgram();
    if (program.empty()) {
        err << "pantrel: nie można otworzyć okna programu: brak programu '"
            << PANTREL_WINDOW_PROGRAM << "' obok pantrel\n";
        return EXIT_NO_DISPLAY;
    }
    // The window works on the very store this command would have used.
    // NOLINTNEXTLINE(concurrency-mt-unsafe): one thread, just before the process is replaced
    setenv("PANTREL_REGISTRY", storeFile.c_str(), 1);
    err.flush();
    execv(program.c_str(), argv);
    const int failure = errno;
    err << "pantrel: nie można uruchomić okna programu '" << program.string()
        << "': " << std::generic_category().message(failure) << '\n';
    return EXIT_NO_DISPLAY;
#else
    (void)argv;
    (void)storeFile;
    PrintNoDisplayUsage(err);
    return EXIT_NO_DISPLAY;
#endif
}

}  // namespace pantrel
