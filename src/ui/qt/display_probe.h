// Whether a window can be opened, asked without loading Qt.
#pragma once

#include <string>
#include <string_view>

namespace pantrel::qt {

// What decides whether the window can be opened, read from the environment.
struct DisplayEnvironment {
    std::string platform;        // QT_QPA_PLATFORM; empty when not set
    std::string x11Display;      // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string runtimeDir;      // XDG_RUNTIME_DIR
};

DisplayEnvironment ReadDisplayEnvironment();

// True when the X server named by `display` accepts a connection.
bool CanConnectToX(const std::string& display);

// True when a Wayland compositor's socket is there.
bool HasWaylandSocket(const DisplayEnvironment& environment);

// Whether Qt could open the given platform (the plugin name, without its options) in this
// environment, given that its plugin is installed: xcb needs an X server that answers, Wayland a
// compositor's socket; offscreen, minimal and the framebuffer platforms need no display server.
bool CanOpenPlatform(std::string_view platform, const DisplayEnvironment& environment);

// Whether Qt could open a window at all: a QT_QPA_PLATFORM list ("name:options;name...") counts
// when one of its platforms is installed and can be opened; without one, an X server or a
// Wayland compositor for which the plugin is installed. `hasPlugin` answers for a platform name.
template <typename HasPlugin>
bool CanOpenAnyPlatform(const DisplayEnvironment& environment, HasPlugin hasPlugin);

// True when Qt could open its platform here (QT_QPA_PLATFORM honoured; offscreen and minimal
// count). Asks the display server itself and looks for the platform plugins in Qt's plugin
// folder without loading Qt, so that a run that opens no window never maps a Qt library and no
// Qt abort ends the process when there is no display.
bool CanOpenDisplay();

template <typename HasPlugin>
bool CanOpenAnyPlatform(const DisplayEnvironment& environment, HasPlugin hasPlugin) {
    if (environment.platform.empty()) {
        return (hasPlugin("xcb") && CanOpenPlatform("xcb", environment)) ||
               (hasPlugin("wayland") && CanOpenPlatform("wayland", environment));
    }
    std::string_view rest = environment.platform;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        std::string_view entry = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty() && hasPlugin(name) && CanOpenPlatform(name, environment)) {
            return true;
        }
    }
    return false;
}

}  // namespace pantrel::qt
