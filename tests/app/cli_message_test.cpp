// The loader's message on the command line: always on standard error, and also wherever the
// platform shows it besides (the message box on Windows) for install and uninstall, never for
// the check that scripts run.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../support/temp_folder.h"
#include "app/cli_commands.h"
#include "base/message_sink.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

class RecordingSink final : public MessageSink {
public:
    void ShowError(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

std::string SpecFile(const char* name) {
    return (std::filesystem::path(PANTREL_TEST_DATA_DIR) / "loader" / name).string();
}

class CliMessageTest : public testing::Test {
protected:
    int Run(int (*command)(const CommandContext&, const std::string&), const std::string& path) {
        const CommandContext context{store_, "registry.db", out_, err_, &shown_};
        return command(context, path);
    }

    testing_support::TempFolder folder_;
    SqliteRegistryStore store_{folder_ / "registry.db"};
    std::ostringstream out_;
    std::ostringstream err_;
    RecordingSink shown_;
};

TEST_F(CliMessageTest, InstallAndUninstallShowTheParseErrorBesidesPrintingIt) {
    for (const auto command : {&RunInstall, &RunUninstall}) {
        shown_.messages.clear();
        err_.str("");
        EXPECT_EQ(Run(command, SpecFile("invalid_unclosed_element.xml")), EXIT_FAILED);
        ASSERT_EQ(shown_.messages.size(), 1u);
        EXPECT_NE(shown_.messages.front().find("Błąd w pliku"), std::string::npos);
        EXPECT_EQ(err_.str(), shown_.messages.front() + "\n");
    }
}

TEST_F(CliMessageTest, NothingIsShownForAValidFileOrForTheCheck) {
    EXPECT_EQ(Run(&RunInstall, SpecFile("valid_minimal.xml")), EXIT_DONE);
    EXPECT_EQ(Run(&RunValidate, SpecFile("invalid_unclosed_element.xml")), EXIT_FAILED);
    EXPECT_FALSE(err_.str().empty());
    EXPECT_TRUE(shown_.messages.empty());
}

}  // namespace
}  // namespace pantrel
