// A test program for Windows: installs or uninstalls a specification file in the real registry
// as pantrel.exe does, and ends its own process at once after its n-th write or deletion of a
// value, as a kill would. scripts/windows/interrupted-runs-check.sh then runs pantrel.exe again
// and compares the registry with the one a whole run leaves.
//
//   pantrel-killed-run install|uninstall FILE N
//
// Exit status: 0 when the run ended before its n-th write, 1 when it failed, 99 when it was ended.

#include <windows.h>
// After windows.h, whose types it builds on.
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../support/hooked_store.h"
#include "base/wide_text_win32.h"
#include "install/specification_install.h"
#include "registry/win32_store.h"

namespace {

class ErrorStreamSink final : public pantrel::MessageSink {
public:
    void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(pantrel::Utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace

int main() {
    using namespace pantrel;
    const std::vector<std::string> arguments = Arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "użycie: pantrel-killed-run install|uninstall PLIK N\n");
        return 2;
    }
    const bool install = arguments[0] == "install";
    const int killAt = std::stoi(arguments[2]);
    int writes = 0;
    testing_support::StoreHooks hooks;
    hooks.afterSetValue = hooks.afterDeleteValue = [&] {
        if (++writes == killAt) {
            TerminateProcess(GetCurrentProcess(), 99);
        }
    };
    Win32RegistryStore registry;
    testing_support::HookedStore hive{registry, hooks};
    ErrorStreamSink sink;
    const RegistrationResult result = install ? InstallSpecification(hive, arguments[1], sink)
                                              : UninstallSpecification(hive, arguments[1], sink);
    return result.Succeeded() ? 0 : 1;
}
