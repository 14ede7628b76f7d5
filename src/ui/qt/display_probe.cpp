#include "ui/qt/display_probe.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef PANTREL_HAVE_XCB
#include <dlfcn.h>
#include <xcb/xcb.h>

#include <memory>
#endif

namespace pantrel::qt {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read at start-up
    return value == nullptr ? std::string{} : std::string{value};
}

// True when `name` holds `part`, ASCII letters compared without regard to case, as Qt matches
// plugin file names.
bool ContainsIgnoringCase(std::string_view name, std::string_view part) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(name.begin(), name.end(), part.begin(), part.end(), same) != name.end();
}

// Platform plugins are files named after their platform (libqxcb.so, libqoffscreen.so,
// libqwayland-generic.so), in Qt's plugin folder or one that QT_QPA_PLATFORM_PLUGIN_PATH names.
// Qt's plugin folder is the one of the Qt the window was built with.
bool HasPlatformPlugin(std::string_view platform) {
    std::vector<std::filesystem::path> folders;
    if (const std::string extra = Environment("QT_QPA_PLATFORM_PLUGIN_PATH"); !extra.empty()) {
        folders.emplace_back(extra);
    }
#ifdef PANTREL_QT_PLUGIN_DIR
    folders.emplace_back(std::filesystem::path(PANTREL_QT_PLUGIN_DIR) / "platforms");
#endif
    std::string pattern = "q";
    pattern.append(platform);
    return std::ranges::any_of(folders, [&pattern](const std::filesystem::path& folder) {
        std::error_code error;
        for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            std::error_code typeError;
            if (entry->is_regular_file(typeError) &&
                ContainsIgnoringCase(entry->path().filename().string(), pattern)) {
                return true;
            }
        }
        return false;
    });
}

}  // namespace

DisplayEnvironment ReadDisplayEnvironment() {
    return DisplayEnvironment{Environment("QT_QPA_PLATFORM"), Environment("DISPLAY"),
                              Environment("WAYLAND_DISPLAY"), Environment("XDG_RUNTIME_DIR")};
}

bool CanConnectToX(const std::string& display) {
#ifdef PANTREL_HAVE_XCB
    if (display.empty()) {
        return false;
    }
    // The X client library is loaded only here, when a window is asked for: the silent runs do
    // not load it, nor the libraries it needs. Without it Qt's X platform cannot run either.
    struct LibraryClose {
        void operator()(void* library) const { dlclose(library); }
    };
    const std::unique_ptr<void, LibraryClose> library(dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL));
    if (!library) {
        return false;
    }
    const auto xcb_connect =
        reinterpret_cast<decltype(&::xcb_connect)>(dlsym(library.get(), "xcb_connect"));
    const auto xcb_connection_has_error = reinterpret_cast<decltype(&::xcb_connection_has_error)>(
        dlsym(library.get(), "xcb_connection_has_error"));
    const auto xcb_disconnect =
        reinterpret_cast<decltype(&::xcb_disconnect)>(dlsym(library.get(), "xcb_disconnect"));
    if (xcb_connect == nullptr || xcb_connection_has_error == nullptr ||
        xcb_disconnect == nullptr) {
        return false;
    }
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    // xcb_connect always hands back a connection object, also a failed one, to be released.
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
#else
    return !display.empty();
#endif
}

bool HasWaylandSocket(const DisplayEnvironment& environment) {
    const std::filesystem::path name =
        environment.waylandDisplay.empty() ? "wayland-0" : environment.waylandDisplay;
    std::filesystem::path socket = name;
    if (!name.is_absolute()) {
        if (environment.runtimeDir.empty()) {
            return false;
        }
        socket = std::filesystem::path(environment.runtimeDir) / name;
    }
    std::error_code error;
    return std::filesystem::is_socket(socket, error);
}

bool CanOpenPlatform(std::string_view platform, const DisplayEnvironment& environment) {
    if (platform == "xcb") {
        return CanConnectToX(environment.x11Display);
    }
    if (platform.starts_with("wayland")) {
        return HasWaylandSocket(environment);
    }
    return !platform.empty();
}

bool CanOpenDisplay() {
    return CanOpenAnyPlatform(ReadDisplayEnvironment(), HasPlatformPlugin);
}

}  // namespace pantrel::qt
