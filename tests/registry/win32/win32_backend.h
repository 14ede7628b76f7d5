// The Windows registry as a backend of the contract suite.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "registry/win32_store.h"

namespace pantrel::testing_support {

// The parent of the keys the tests write, under HKEY_LOCAL_MACHINE in the 32-bit view.
inline constexpr const char* kRegistryTestRoot = "Software\\PantrelTests";

// Each test's store is a key of its own under kRegistryTestRoot, removed with everything in it
// when the test ends.
class Win32Backend {
public:
    // Unique across the test processes CTest runs at once and across runs in one Wine prefix:
    // the process id (Wine reuses them), a counter within the process and the performance
    // counter (mingw's std::random_device repeats its sequence in every process). Whatever an
    // earlier run left under the name is removed first.
    Win32Backend() {
        static unsigned counter = 0;
        LARGE_INTEGER ticks{};
        QueryPerformanceCounter(&ticks);
        name_ = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "-" +
                std::to_string(ticks.QuadPart);
        RemoveKey();
    }
    ~Win32Backend() { RemoveKey(); }
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    std::unique_ptr<RegistryStore> Open() const {
        return std::make_unique<Win32RegistryStore>(Root());
    }
    // The test's own key, relative to HKEY_LOCAL_MACHINE.
    std::string Root() const { return std::string{kRegistryTestRoot} + "\\" + name_; }

private:
    void RemoveKey() const {
        HKEY parent = nullptr;
        const std::wstring root(
            kRegistryTestRoot,
            kRegistryTestRoot + std::char_traits<char>::length(kRegistryTestRoot));
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, root.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                          &parent) == ERROR_SUCCESS) {
            const std::wstring name(name_.begin(), name_.end());
            RegDeleteTreeW(parent, name.c_str());
            RegCloseKey(parent);
        }
    }

    std::string name_;
};

}  // namespace pantrel::testing_support
