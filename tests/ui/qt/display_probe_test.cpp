#include "ui/qt/display_probe.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

#include "ui/qt/main_window_runner.h"

namespace pantrel::qt {
namespace {

// A display that no X server serves, chosen when the tests run (a developer's or CI's X server
// may hold any fixed number): the first with neither the server's socket nor its lock file. The
// probe must say so instead of letting Qt abort.
std::string DisplayWithoutXServer() {
    for (int number = 90; number < 1000; ++number) {
        const std::string n = std::to_string(number);
        std::error_code error;
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + n, error) && !error &&
            !std::filesystem::exists("/tmp/.X" + n + "-lock", error) && !error) {
            return ":" + n;
        }
    }
    return {};
}

const std::string kNoXServer = DisplayWithoutXServer();

struct Plugins {
    std::set<std::string, std::less<>> installed;
    bool operator()(std::string_view name) const { return installed.contains(name); }
};

const Plugins kAllPlugins{{"xcb", "wayland", "offscreen", "minimal", "eglfs"}};

DisplayEnvironment WithPlatform(std::string platform) {
    DisplayEnvironment environment;
    environment.platform = std::move(platform);
    environment.x11Display = kNoXServer;
    return environment;
}

TEST(DisplayProbeTest, HeadlessPlatformsNeedNoDisplay) {
    for (const char* platform : {"offscreen", "minimal", "offscreen:fontengine=freetype"}) {
        EXPECT_TRUE(CanOpenAnyPlatform(WithPlatform(platform), kAllPlugins)) << platform;
    }
}

TEST(DisplayProbeTest, XcbWithoutAnXServerCannotOpen) {
    ASSERT_FALSE(kNoXServer.empty()) << "every display from :90 to :999 is taken";
    EXPECT_FALSE(CanOpenAnyPlatform(WithPlatform("xcb"), kAllPlugins));
    DisplayEnvironment unset = WithPlatform("xcb");
    unset.x11Display.clear();
    EXPECT_FALSE(CanOpenAnyPlatform(unset, kAllPlugins));
}

TEST(DisplayProbeTest, AListCountsWhenOneOfItsPlatformsOpens) {
    EXPECT_TRUE(CanOpenAnyPlatform(WithPlatform("xcb;offscreen"), kAllPlugins));
    EXPECT_FALSE(CanOpenAnyPlatform(WithPlatform("xcb;wayland"), kAllPlugins));
}

TEST(DisplayProbeTest, APlatformWithoutItsPluginCannotOpen) {
    EXPECT_FALSE(CanOpenAnyPlatform(WithPlatform("offscreen"), Plugins{{"xcb"}}));
    EXPECT_FALSE(CanOpenAnyPlatform(WithPlatform("nosuchplatform"), kAllPlugins));
}

TEST(DisplayProbeTest, NothingSetAndNoServerMeansNoDisplay) {
    DisplayEnvironment environment;
    environment.x11Display = kNoXServer;
    environment.runtimeDir = "/nonexistent";
    EXPECT_FALSE(CanOpenAnyPlatform(environment, kAllPlugins));
}

TEST(DisplayProbeTest, WaylandNeedsTheCompositorsSocket) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("pantrel-wl-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    DisplayEnvironment environment;
    environment.runtimeDir = folder.string();
    environment.waylandDisplay = "wayland-test";
    EXPECT_FALSE(HasWaylandSocket(environment));

    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = (folder / "wayland-test").string();
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    EXPECT_TRUE(HasWaylandSocket(environment));
    EXPECT_TRUE(CanOpenAnyPlatform(environment, Plugins{{"wayland"}}));
    EXPECT_FALSE(CanOpenAnyPlatform(environment, Plugins{{"xcb"}}));
    environment.runtimeDir.clear();
    EXPECT_FALSE(HasWaylandSocket(environment));
    environment.waylandDisplay = path;  // an absolute name needs no runtime folder
    EXPECT_TRUE(HasWaylandSocket(environment));

    close(listener);
    std::filesystem::remove_all(folder);
}

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name); old != nullptr) {
            old_ = old;
        }
        setenv(name, value, 1);
    }
    ~ScopedVariable() {
        if (old_.has_value()) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(CanOpenDisplayTest, AsksTheInstalledPlatformsAndTheXServer) {
    const ScopedVariable noServer("DISPLAY", kNoXServer.c_str());
    {
        const ScopedVariable platform("QT_QPA_PLATFORM", "offscreen");
        EXPECT_TRUE(CanOpenDisplay());
    }
    {
        const ScopedVariable platform("QT_QPA_PLATFORM", "xcb");
        EXPECT_FALSE(CanOpenDisplay());
    }
    {
        const ScopedVariable platform("QT_QPA_PLATFORM", "xcb;minimal");
        EXPECT_TRUE(CanOpenDisplay());
    }
}

}  // namespace
}  // namespace pantrel::qt
