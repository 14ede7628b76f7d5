#include "app/registry_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/run_process.h"
#include "../support/temp_folder.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"

namespace pantrel {

void PrintTo(const SkippedEntry& entry, std::ostream* out) {
    *out << entry.where << " (" << static_cast<int>(entry.reason) << ")";
}

namespace {

using testing_support::ReadWholeFile;
using testing_support::TempFolder;
namespace fs = std::filesystem;

const std::string kRoot{DRIVERS_ROOT_KEY};
const std::string kModels =
    kRoot + "\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}" + "\\ModeleUni";

class RegistryExportTest : public testing::Test {
protected:
    void Put(const std::string& keyPath, const std::string& name, const std::string& text) {
        SqliteRegistryStore hive{Store()};
        RegistryKey key;
        ASSERT_EQ(key.Create(hive, keyPath, KEY_READ_WRITE_ACCESS), ERROR_SUCCESS_STATUS);
        ASSERT_EQ(key.Get().SetValue(name, REG_SZ_TYPE, text + '\0'), ERROR_SUCCESS_STATUS);
        ASSERT_EQ(key.Close(), ERROR_SUCCESS_STATUS);
    }
    ExportOutcome Export(const fs::path& target) {
        SqliteRegistryStore hive{Store()};
        return ExportRegistry(hive, target.string());
    }
    std::vector<fs::path> FilesBesides(const fs::path& store) const {
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_.Path())) {
            if (entry.path().filename().string().rfind(store.filename().string(), 0) != 0) {
                files.push_back(entry.path().filename());
            }
        }
        std::ranges::sort(files);
        return files;
    }
    fs::path Store() const { return folder_ / "registry.db"; }

    TempFolder folder_;
};

// One entry the file cannot carry is left out and named; everything else is written.
TEST_F(RegistryExportTest, EntriesTheFileCannotCarryAreLeftOutAndNamed) {
    Put(kModels, "K-1|Kasomat", "/s/k.xml");
    Put(kModels, "K-\xE4\xB8\xAD|Kasomat", "/s/k.xml");  // a character Windows-1250 has not
    Put(kModels, "K-2\r\n[HKEY_LOCAL_MACHINE\\Obcy]|Kasomat", "/s/k.xml");
    Put(kModels, "K-3|Kasomat", "/s/\xE4\xB8\xAD.xml");
    Put(kModels, "K-4|Kasomat", "/s/k.xml");
    Put(kRoot + "\\Obce \xE4\xB8\xAD\\Pod", "X", "y");  // a key: left out with all under it

    SqliteRegistryStore hive{Store()};
    const RenderedRegistry rendered = RenderRegistryFile(hive);
    ASSERT_EQ(rendered.status, ERROR_SUCCESS_STATUS);
    const std::vector<SkippedEntry> expected = {
        {kModels + "\\K-\xE4\xB8\xAD|Kasomat", SkipReason::NameOutsideWindows1250},
        {kModels + "\\K-2\r\n[HKEY_LOCAL_MACHINE\\Obcy]|Kasomat", SkipReason::NameWithLineBreak},
        {kModels + "\\K-3|Kasomat", SkipReason::DataOutsideWindows1250},
        {kRoot + "\\Obce \xE4\xB8\xAD", SkipReason::NameOutsideWindows1250},
    };
    EXPECT_EQ(rendered.skipped, expected);
    const std::string& text = rendered.text;
    EXPECT_NE(text.find("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Tarvex\\Sterowniki2\\Kasy "
                        "fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}\\ModeleUni]\r\n\"K-1|"
                        "Kasomat\"=\"/s/k.xml\""
                        "\r\n\"K-4|Kasomat\"=\"/s/k.xml\"\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Obc"), std::string::npos) << text;
    EXPECT_EQ(text.find("K-2"), std::string::npos) << text;
    EXPECT_EQ(text.find("\xE4"), std::string::npos) << text;
}

TEST_F(RegistryExportTest, ReplacesTheTargetThroughANameOfItsOwn) {
    Put(kModels, "K-1|Kasomat", "/s/k.xml");
    const fs::path target = folder_ / "out.reg";
    // Whatever the user keeps beside the target, under any name an earlier tool might have
    // used for its temporary file, stays as it is.
    std::ofstream(target) << "old";
    std::ofstream(folder_ / "out.reg.tmp") << "mine";
    fs::create_symlink(folder_ / "elsewhere", folder_ / "out.tmp");

    const ExportOutcome outcome = Export(target);
    ASSERT_EQ(outcome.result, ExportResult::Written) << outcome.fileError.message();
    EXPECT_TRUE(outcome.skipped.empty());
    EXPECT_EQ(ReadWholeFile(target).rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_EQ(ReadWholeFile(folder_ / "out.reg.tmp"), "mine");
    EXPECT_TRUE(fs::is_symlink(folder_ / "out.tmp"));
    EXPECT_FALSE(fs::exists(folder_ / "elsewhere"));
    EXPECT_EQ(FilesBesides(Store()), (std::vector<fs::path>{"out.reg", "out.reg.tmp", "out.tmp"}));
}

TEST_F(RegistryExportTest, AFailedWriteLeavesNothingOfItsOwn) {
    Put(kModels, "K-1|Kasomat", "/s/k.xml");
    fs::create_directories(folder_ / "folder" / "inside");
    struct Case {
        fs::path target;
        std::errc error;
    };
    for (const Case& c : {Case{folder_ / "folder", std::errc::is_a_directory},
                          Case{folder_ / "no" / "x.reg", std::errc::no_such_file_or_directory},
                          Case{folder_ / std::string(300, 'n'), std::errc::filename_too_long}}) {
        const ExportOutcome outcome = Export(c.target);
        EXPECT_EQ(outcome.result, ExportResult::NotWritten) << c.target;
        EXPECT_EQ(outcome.fileError, std::make_error_code(c.error)) << c.target;
    }
    EXPECT_TRUE(fs::is_directory(folder_ / "folder" / "inside"));
    EXPECT_EQ(FilesBesides(Store()), (std::vector<fs::path>{"folder"}));
}

// A damaged store is a failure of the store, not an entry to leave out.
TEST_F(RegistryExportTest, ADamagedStoreWritesNothing) {
    std::ofstream(Store(), std::ios::binary) << std::string(8192, 'x');
    const fs::path target = folder_ / "out.reg";
    std::ofstream(target) << "old";
    const ExportOutcome outcome = Export(target);
    EXPECT_EQ(outcome.result, ExportResult::StoreUnreadable);
    EXPECT_EQ(outcome.storeStatus, ERROR_BADDB_STATUS);
    EXPECT_TRUE(outcome.skipped.empty());
    EXPECT_EQ(ReadWholeFile(target), "old");
}

}  // namespace
}  // namespace pantrel
