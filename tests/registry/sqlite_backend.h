// The SQLite store as a backend of the contract suite.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>

#include "../support/temp_folder.h"
#include "registry/sqlite_store.h"

namespace pantrel::testing_support {

// The contract suite's backends give each test its own store, empty at first:
//   Open()               a new store object on the test's store; every call sees the same data
// and the file stores among them also:
//   MakeUnwritable()     from now on the test's store cannot be written
//   OpenMissing()        a store object on a store that does not exist
//   MissingLeftNoTrace() nothing of that missing store has come into being
//   OpenUncreatable()    a store object on a store whose place cannot be created
class SqliteBackend {
public:
    std::unique_ptr<RegistryStore> Open() const {
        return std::make_unique<SqliteRegistryStore>(StoreFile());
    }
    void MakeUnwritable() const {
        namespace fs = std::filesystem;
        fs::permissions(StoreFile(),
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    std::unique_ptr<RegistryStore> OpenMissing() const {
        return std::make_unique<SqliteRegistryStore>(folder_ / "missing" / "registry.db");
    }
    bool MissingLeftNoTrace() const { return !std::filesystem::exists(folder_ / "missing"); }
    std::unique_ptr<RegistryStore> OpenUncreatable() const {
        std::ofstream(folder_ / "plain-file") << "not a folder";
        return std::make_unique<SqliteRegistryStore>(folder_ / "plain-file" / "registry.db");
    }

private:
    std::filesystem::path StoreFile() const { return folder_ / "hive" / "registry.db"; }

    TempFolder folder_{"pantrel-store-"};
};

}  // namespace pantrel::testing_support
