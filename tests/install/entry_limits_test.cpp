// Every entry install writes can be listed again: names and specification paths are measured as
// the registry's readers measure them (one per Windows-1250 character), not in UTF-8 bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "../support/failing_sink.h"
#include "../support/repeat_text.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"
#include "base/utf8_path.h"
#include "install/planned_entries.h"
#include "install/specification_install.h"
#include "loader/specification_document.h"
#include "loader/specification_namespace.h"
#include "registry/model_registry.h"
#include "registry/registered_models.h"
#include "registry/registry_key.h"
#include "registry/sqlite_names.h"
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
    std::vector<RegisteredModel> models = ReadRegisteredModels(hive).models;
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
    const RegistrationResult installed = InstallSpecification(hive, spec, sink);
    ASSERT_TRUE(installed.Succeeded());
    EXPECT_EQ(installed.Total(), 2);
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
        EXPECT_EQ(InstallSpecification(hive, specText, sink).outcome,
                  fits ? RegistrationOutcome::Done : RegistrationOutcome::PathNotListable)
            << length;
        if (fits) {
            const std::vector<RegisteredModel> listed = CashModels(hive);
            ASSERT_EQ(listed.size(), 1U) << length;
            EXPECT_EQ(listed[0].path, specText);
        } else {
            EXPECT_FALSE(fs::exists(store)) << "nothing may be written";
        }
    }
}

// -validate lists PlanInstallEntries instead of installing into a scratch store: for records of
// many models, folded duplicates across drivers and values the store refuses (no file that
// passes the schema holds them), it must give what the install leaves and answers.
TEST(PlannedEntries, AreWhatAnInstallIntoAnEmptyStoreLeavesAndAnswers) {
    struct Driver {
        const char* kind;
        std::string producer;
        std::vector<std::string> models;
    };
    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i) {
        many.push_back("Orzeł " + std::to_string(i));
        if (i % 3 == 0) {
            many.push_back("ORZEŁ " + std::to_string(i));
        }
    }
    const std::vector<std::vector<Driver>> cases = {
        {{"Kasa fiskalna", "Zakład", many},
         {"Kasa fiskalna", "ZAKŁAD", {"orzeł 7", "Nowa"}},
         {"Drukarka fiskalna", "Zakład", {"Orzeł 7"}}},
        {{"Waga etykietująca", "W", {"A", std::string("B\0C", 3), "a"}},
         {"Kasa fiskalna", "K", {Repeat("x", MAX_VALUE_NAME_CHARACTERS), "K-1"}}},
    };
    const std::string path = "/spec/plik.xml";
    const auto byFields = [](const RegisteredModel& m) {
        return std::tie(m.kind, m.model, m.producer, m.path);
    };
    for (const std::vector<Driver>& drivers : cases) {
        SpecificationRecords records;
        for (const Driver& driver : drivers) {
            ASSERT_TRUE(records.AddDriver(driver.kind));
            records.LastDriver().producer = driver.producer;
            for (const std::string& model : driver.models) {
                ASSERT_TRUE(records.AddModel());
                records.AppendToLastName(model);
            }
        }
        const DocumentHolder document =
            MakeSpecificationDocument(std::move(records), SPECIFICATION_NAMESPACE);
        SqliteRegistryStore scratch{":memory:"};
        const RegistrationResult installed = InstallLoadedSpecification(scratch, document, path);
        std::vector<RegisteredModel> expected = ReadRegisteredModels(scratch).models;

        const PlannedEntries planned = PlanInstallEntries(document, path);
        EXPECT_EQ(planned.result.outcome, installed.outcome);
        EXPECT_EQ(planned.result.firstFailure, installed.firstFailure);
        EXPECT_EQ(planned.result.committed, installed.committed);
        std::vector<RegisteredModel> rows;
        for (const PlannedEntries::Row& row : planned.rows) {
            const ListedEntry entry = planned.EntryOf(row);
            rows.push_back({entry.kind, std::string{entry.model}, std::string{entry.producer},
                            std::string{entry.path}});
        }
        const auto fieldOrder = [&byFields](const RegisteredModel& a, const RegisteredModel& b) {
            return byFields(a) < byFields(b);
        };
        std::sort(expected.begin(), expected.end(), fieldOrder);
        std::sort(rows.begin(), rows.end(), fieldOrder);
        ASSERT_EQ(rows.size(), expected.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(byFields(rows[i]), byFields(expected[i])) << rows[i].model;
        }
    }
}

}  // namespace
}  // namespace pantrel
