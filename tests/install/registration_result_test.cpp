// What install and uninstall answer at the call: the outcome, the first status the store refused
// with, and the kinds committed with their counts.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "../support/hooked_store.h"
#include "../support/temp_folder.h"
#include "install/specification_install.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

using testing_support::HookedStore;
using testing_support::StoreHooks;
using testing_support::TempFolder;
using Kinds = std::vector<KindCount>;

std::string DataFile(const char* folder, const char* name) {
    return (std::filesystem::path(PANTREL_TEST_DATA_DIR) / folder / name).string();
}

// Hooks under which the store refuses, as a read-only one would, to create the keys or to
// write or delete the values whose path or name holds `part`.
StoreHooks RefusingKeys(std::string_view part) {
    StoreHooks hooks;
    hooks.refuseCreate = [part](std::string_view path) -> Status {
        return path.find(part) != std::string_view::npos ? ERROR_ACCESS_DENIED_STATUS : 0;
    };
    return hooks;
}
StoreHooks RefusingValues(std::string_view part) {
    StoreHooks hooks;
    hooks.refuseWrite = [part](std::string_view name) -> Status {
        return name.find(part) != std::string_view::npos ? ERROR_ACCESS_DENIED_STATUS : 0;
    };
    return hooks;
}

class CountingSink final : public MessageSink {
public:
    void ShowError(const std::string& /*text*/) override { ++shown; }
    int shown = 0;
};

enum class Operation { Install, Uninstall, UninstallInstalled };

TEST(RegistrationResultTest, InstallAndUninstallAnswerWhatTheyDid) {
    using enum DeviceKind;
    using enum RegistrationOutcome;
    using enum Operation;
    // Four cash registers, one of them twice (written twice, removed once), a scale, a printer.
    const std::string all = DataFile("install", "all_kinds.xml");
    const struct {
        Operation run;
        std::string file;
        StoreHooks hooks;
        RegistrationOutcome outcome;
        Kinds committed;
    } cases[] = {
        {Install, all, {}, Done, {{CashRegister, 4}, {LabelScale, 1}, {FiscalPrinter, 1}}},
        // A refused kind ends the run; a refused value does not.
        {Install, all, RefusingKeys("Drukarki"), StoreFailed, {{CashRegister, 4}, {LabelScale, 1}}},
        {Install,
         all,
         RefusingValues("K-9"),
         ValuesRefused,
         {{CashRegister, 3}, {LabelScale, 1}, {FiscalPrinter, 1}}},
        {UninstallInstalled,
         all,
         {},
         Done,
         {{CashRegister, 3}, {LabelScale, 1}, {FiscalPrinter, 1}}},
        {UninstallInstalled,
         all,
         RefusingValues("Waga"),
         ValuesRefused,
         {{CashRegister, 3}, {FiscalPrinter, 1}}},
        {Uninstall, all, {}, Done, {}},  // never installed: nothing to remove
        {Install, DataFile("install", "none.xml"), {}, FileMissing, {}},
        {Install, DataFile("install", "not_well_formed.xml"), {}, FileNotLoaded, {}},
        {Uninstall,
         DataFile("loader", "closing_attribute_defaulted_by_dtd.xml"),
         {},
         FileNotValid,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + std::to_string(static_cast<int>(c.run)) + " " +
                     std::to_string(static_cast<int>(c.outcome)));
        TempFolder folder;
        SqliteRegistryStore store{folder / "registry.db"};
        CountingSink sink;
        if (c.run == UninstallInstalled) {
            ASSERT_TRUE(InstallSpecification(store, c.file, sink).Succeeded());
        }
        HookedStore hooked{store, c.hooks};
        const RegistrationResult result = c.run == Install
                                              ? InstallSpecification(hooked, c.file, sink)
                                              : UninstallSpecification(hooked, c.file, sink);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.Succeeded(), c.outcome == Done);
        EXPECT_EQ(result.firstFailure, result.StoreRefused() ? ERROR_ACCESS_DENIED_STATUS : 0);
        EXPECT_EQ(result.committed, c.committed);
        // Only the loader's own message is shown; none for the other outcomes.
        EXPECT_EQ(sink.shown, c.outcome == FileNotLoaded ? 1 : 0);
    }
}

}  // namespace
}  // namespace pantrel
