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

// The tool's own refusal of a path the list could not show reads in the box as a sentence of
// its own, without the program's name that starts the line on standard error.
TEST_F(CliMessageTest, ARefusedLongPathIsShownWithoutTheProgramsName) {
    std::filesystem::path file = folder_.Path();
    while (file.string().size() < 520) {
        file /= std::string(100, 'd');
    }
    std::filesystem::create_directories(file);
    file /= "k.xml";
    std::filesystem::copy_file(SpecFile("valid_minimal.xml"), file);
    EXPECT_EQ(Run(&RunInstall, file.string()), EXIT_FAILED);
    ASSERT_EQ(shown_.messages.size(), 1u);
    EXPECT_EQ(shown_.messages.front().rfind("nie można zarejestrować modeli", 0), 0u);
    EXPECT_EQ(err_.str(), "pantrel: " + shown_.messages.front() + "\n");
}

}  // namespace
}  // namespace pantrel
