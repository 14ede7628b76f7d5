// The command line keeps the window toolkit out of its runs: pantrel itself links no Qt, and
// started without a switch it still opens the window, through the window program.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "../support/run_process.h"
#include "../support/temp_folder.h"

namespace pantrel {
namespace {

using testing_support::ProcessResult;
using testing_support::ReadWholeFile;
using testing_support::RunProcess;
using testing_support::TempFolder;

TEST(WindowProgramTest, PantrelNeedsNoQtLibrary) {
    TempFolder folder;
    const ProcessResult result =
        RunProcess("/usr/bin/readelf", {"--dynamic", PANTREL_EXECUTABLE}, folder.Path(), {});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // The list is read for real: the XML parser is among the libraries pantrel needs.
    ASSERT_NE(result.out.find("(NEEDED)"), std::string::npos);
    EXPECT_NE(result.out.find("libxml2"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("libQt"), std::string::npos) << result.out;
}

#ifdef PANTREL_WINDOW_EXECUTABLE
// Waits until the process has started Qt's offscreen platform (its plugin is loaded only when
// the application object opens the display), or gives up after `limit` or when it ends.
bool WaitForOffscreenPlatform(pid_t pid, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const std::filesystem::path maps = "/proc/" + std::to_string(pid) + "/maps";
    while (std::chrono::steady_clock::now() < deadline) {
        if (ReadWholeFile(maps).find("libqoffscreen") != std::string::npos) {
            return true;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return false;  // ended before any window could be shown
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(WindowProgramTest, WithoutASwitchTheSameCommandOpensTheWindow) {
    TempFolder folder;
    const std::string store = (folder / "registry.db").string();
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("PANTREL_REGISTRY", store.c_str(), 1);
        char program[] = PANTREL_EXECUTABLE;
        char* argv[] = {program, nullptr};
        execv(program, argv);
        _exit(127);
    }
    const bool started = WaitForOffscreenPlatform(pid, std::chrono::seconds(60));
    // The window then waits for the user: the process is still there a moment later.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const bool waiting = started && waitpid(pid, nullptr, WNOHANG) == 0;
    std::error_code error;
    const std::filesystem::path running =
        std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(started);
    EXPECT_TRUE(waiting);
    EXPECT_TRUE(std::filesystem::equivalent(running, PANTREL_WINDOW_EXECUTABLE, error)) << running;
    EXPECT_TRUE(WIFSIGNALED(status)) << "ended by itself with status " << WEXITSTATUS(status);
}
#endif

}  // namespace
}  // namespace pantrel
