// Every entry install writes can be listed again: names and specification paths are measured as
// the registry's readers measure them (one per Windows-1250 character), not in UTF-8 bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/failing_sink.h"
#include "../support/repeat_text.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"
#include "base/utf8_path.h"
#include "install/specification_install.h"
#include "registry/model_registry.h"
#include "registry/registered_models.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

using testing_support::FailingSink;
using testing_support::Repeat;
using testing_support::TempFolder;
using testing_support::WriteSpecification;
namespace fs = std::filesystem;

// Characters of a UTF-8 text: the bytes that start one.
std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A specification path of exactly `length` characters under `base` (ASCII), made of folders
// named with "ł" (two UTF-8 bytes, one Windows-1250 character).
fs::path PathOfLength(const fs::path& base, std::size_t length) {
    std::string path = Utf8FromPath(base);
    std::size_t rest = length - path.size();
    // Appended piece by piece: GCC 12 misreads "/" + text as overlapping copies.
    while (rest > 130) {
        path += '/';
        path += Repeat("ł", 120);
        rest -= 121;
    }
    path += '/';
    path += Repeat("ł", rest - 5);
    path += ".xml";
    return PathFromUtf8(path);
}

std::vector<RegisteredModel> CashModels(RegistryStore& hive) {
    std::vector<RegisteredModel> models = ReadRegisteredModels(hive);
    std::erase_if(models,
                  [](const RegisteredModel& m) { return m.kind != DeviceKind::CashRegister; });
    return models;
}

TEST(EntryLimits, NamesOfFiftyPolishQuotesAndEurosAreListed) {
    TempFolder folder;
    const std::string spec = (folder / "wide.xml").string();
    const std::string model = Repeat("„", 50);     // 150 UTF-8 bytes
    const std::string producer = Repeat("€", 50);  // 150 UTF-8 bytes
    const std::string beyond = Repeat("日", 50);   // outside Windows-1250, one unit each
    WriteSpecification(spec, {{"Kasa fiskalna", producer, {model, beyond}}});
    SqliteRegistryStore hive{folder / "registry.db"};
    FailingSink sink;
    int count = 0;
    ASSERT_TRUE(InstallSpecification(hive, spec, sink, &count));
    EXPECT_EQ(count, 2);
    const std::vector<RegisteredModel> listed = CashModels(hive);
    ASSERT_EQ(listed.size(), 2U);
    EXPECT_EQ(listed[0].model, model);
    EXPECT_EQ(listed[0].producer, producer);
    EXPECT_EQ(listed[0].path, spec);
    EXPECT_EQ(listed[1].model, beyond);
}

TEST(EntryLimits, InstallRefusesAPathTheListCouldNeverShow) {
    TempFolder folder;
    FailingSink sink;
    const std::size_t longest = MODEL_ENTRY_DATA_CAPACITY - 1;  // 519 and its terminator
    for (const std::size_t length : {longest - 1, longest, longest + 1}) {
        const fs::path spec = PathOfLength(folder.Path() / std::to_string(length), length);
        const std::string specText = Utf8FromPath(spec);
        ASSERT_EQ(Characters(specText), length);
        fs::create_directories(spec.parent_path());
        WriteSpecification(spec, {{"Kasa fiskalna", "Kasomat", {"K-1"}}});
        const fs::path store = folder / ("registry" + std::to_string(length) + ".db");
        SqliteRegistryStore hive{store};
        const bool fits = length <= longest;
        EXPECT_EQ(IsListableSpecificationPath(specText), fits) << length;
        EXPECT_EQ(InstallSpecification(hive, specText, sink), fits) << length;
        if (fits) {
            const std::vector<RegisteredModel> listed = CashModels(hive);
            ASSERT_EQ(listed.size(), 1U) << length;
            EXPECT_EQ(listed[0].path, specText);
        } else {
            EXPECT_FALSE(fs::exists(store)) << "nothing may be written";
        }
    }
}

}  // namespace
}  // namespace pantrel
