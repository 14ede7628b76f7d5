// What the command line says about the store's name and about entries the list could not show.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../support/repeat_text.h"
#include "../support/run_process.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"

namespace pantrel {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CliStoreLimitsTest : public testing::Test {
protected:
    ProcessResult Run(const std::vector<std::string>& args, const std::string& store) {
        return RunProcess(PANTREL_EXECUTABLE, args, folder_.Path(),
                          {{"PANTREL_REGISTRY", store}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    }
    ProcessResult Run(const std::vector<std::string>& args) { return Run(args, Store()); }
    std::string Store() const { return (folder_ / "registry.db").string(); }

    TempFolder folder_;
};

TEST_F(CliStoreLimitsTest, StoreNameThatIsNoFilePathIsRefused) {
    const std::string spec = (folder_ / "a.xml").string();
    WriteSpecification(spec, {{"Kasa fiskalna", "Kasomat", {"K-1"}}});
    for (const std::string name : {":memory:", "file:registry.db", "FILE:registry.db",
                                   "file:registry.db?mode=memory", ":registry.db", "registry/"}) {
        const ProcessResult result = Run({"-install", spec}, name);
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_EQ(Lines(result.err), 1U) << result.err;
        EXPECT_NE(result.err.find("PANTREL_REGISTRY"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
    }
    // Not an empty registry either.
    const ProcessResult listed = Run({"-list"}, ":memory:");
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_EQ(listed.out, "");
    // Nothing was kept anywhere under a name SQLite might have made of it.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder_.Path())) {
        left.push_back(entry.path().filename().string());
    }
    std::erase_if(left, [](const std::string& name) { return name.starts_with('.'); });
    EXPECT_EQ(left, std::vector<std::string>{"a.xml"});
    // A relative path is a path, whatever it starts with.
    EXPECT_EQ(Run({"-install", spec}, "./file:registry.db").exitCode, 0);
    EXPECT_TRUE(fs::exists(folder_ / "file:registry.db"));
}

TEST_F(CliStoreLimitsTest, StoreNameOfAFolderIsCalledAFolderNotAMatterOfRights) {
    const std::string spec = (folder_ / "a.xml").string();
    WriteSpecification(spec, {{"Kasa fiskalna", "Kasomat", {"K-1"}}});
    const std::string store = (folder_ / "stores").string();
    fs::create_directory(store);
    for (const std::string verb : {"-install", "-list"}) {
        const ProcessResult result =
            Run(verb == "-list" ? std::vector<std::string>{verb} : std::vector{verb, spec}, store);
        EXPECT_EQ(result.exitCode, 1) << verb;
        EXPECT_EQ(result.err, "pantrel: PANTREL_REGISTRY musi wskazywać plik rejestru, a '" +
                                  store + "' jest folderem\n")
            << verb;
    }
    EXPECT_TRUE(fs::is_empty(store));
}

TEST_F(CliStoreLimitsTest, ModelsOfFiftyPolishQuotesAndEurosAreListedAndValidated) {
    const std::string spec = (folder_ / "wide.xml").string();
    const std::string model = Repeat("„", 50);
    const std::string producer = Repeat("€", 50);
    WriteSpecification(spec, {{"Kasa fiskalna", producer, {model}}});
    const std::string line = "Kasa fiskalna\t" + model + "\t" + producer + "\t" + spec + "\n";
    const ProcessResult validated = Run({"-validate", spec});
    EXPECT_EQ(validated.exitCode, 0) << validated.err;
    EXPECT_EQ(validated.out, line);
    ASSERT_EQ(Run({"-install", spec}).exitCode, 0);
    const ProcessResult listed = Run({"-list"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, line);
}

TEST_F(CliStoreLimitsTest, PathTooLongForTheListIsRefusedWithOneLine) {
    // 520 characters, one more than an entry's data can hold with its terminator, in folders
    // named with "ł" (two UTF-8 bytes, one character for the registry).
    std::string path = folder_.Path().string();  // ASCII: one character a byte
    std::size_t characters = path.size();
    while (characters + 130 < 520) {
        path += "/" + Repeat("ł", 120);
        characters += 121;
    }
    path += "/" + Repeat("ł", 520 - characters - 5) + ".xml";
    fs::create_directories(fs::path{path}.parent_path());
    WriteSpecification(path, {{"Kasa fiskalna", "Kasomat", {"K-1"}}});
    for (const std::string verb : {"-install", "-validate"}) {
        const ProcessResult result = Run({verb, path});
        EXPECT_EQ(result.exitCode, 1) << verb;
        EXPECT_EQ(Lines(result.err), 1U) << result.err;
        EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("dłuższa niż 519 znaków"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(fs::exists(Store()));
}

}  // namespace
}  // namespace pantrel
