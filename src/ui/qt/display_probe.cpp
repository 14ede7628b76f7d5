#include "ui/qt/display_probe.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef PANTREL_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace pantrel {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read at start-up
    return value == nullptr ? std::string{} : std::string{value};
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

}  // namespace pantrel
