// An uninstall that empties a model key, and an install of other models of the same kind by
// another process at the worst moment: right after the uninstall found the key empty.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/documented_query.h"
#include "../support/failing_sink.h"
#include "../support/hooked_store.h"
#include "../support/spawn_process.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"
#include "install/specification_install.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

const std::string kCashModels =
    "Software\\Tarvex\\Sterowniki2\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}"
    "\\ModeleUni";

// Whether a writer arriving now would have to wait: some connection holds the store's write
// lock.
bool WriteLockTaken(const fs::path& store) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const int result = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (result == SQLITE_OK) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return result == SQLITE_BUSY;
}

TEST(UninstallRace, InstallRightAfterTheEmptinessCheckKeepsItsEntries) {
    TempFolder folder;
    const fs::path store = folder / "registry.db";
    const std::string leaving = (folder / "leaving.xml").string();
    const std::string coming = (folder / "coming.xml").string();
    WriteSpecification(leaving, {{"Kasa fiskalna", "Kasomat", {"K-1", "K-2"}}});
    WriteSpecification(coming, {{"Kasa fiskalna", "Inny", {"X-1"}}});
    FailingSink sink;
    {
        SqliteRegistryStore hive{store};
        ASSERT_TRUE(InstallSpecification(hive, leaving, sink));
    }

    // Once the uninstall has found the model key empty, the install runs before the uninstall
    // goes on, unless the uninstall still keeps other writers out; then it waits its turn.
    bool foundEmpty = false;
    pid_t installer = 0;
    StoreHooks hooks;
    hooks.afterEnumValue = [&](std::uint32_t, bool withData, Status status) {
        foundEmpty = foundEmpty || (!withData && status == ERROR_NO_MORE_ITEMS_STATUS);
    };
    hooks.beforeOpen = [&](std::string_view) {
        if (!foundEmpty || installer != 0) {
            return;
        }
        const bool mustWait = WriteLockTaken(store);
        installer = StartProcess(PANTREL_EXECUTABLE, {"-install", coming},
                                 {{"PANTREL_REGISTRY", store.string()}});
        ASSERT_GT(installer, 0);
        if (!mustWait) {
            EXPECT_EQ(WaitForExit(installer), 0);
            installer = -1;
        }
    };
    SqliteRegistryStore hive{store};
    HookedStore hooked{hive, hooks};
    EXPECT_TRUE(UninstallSpecification(hooked, leaving, sink));
    ASSERT_NE(installer, 0) << "the uninstall never asked whether the model key is empty";
    if (installer > 0) {
        EXPECT_EQ(WaitForExit(installer), 0);
    }

    const std::vector<ModelEntry> expected = {{"X-1|Inny", coming}};
    EXPECT_EQ(DocumentedModelEntries(store, kCashModels), expected);
}

}  // namespace
}  // namespace pantrel
