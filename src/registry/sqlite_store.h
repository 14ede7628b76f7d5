// The registry stand-in on an SQLite file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "registry/registry_store.h"

namespace pantrel {

class SqliteStoreState;

// Where the machine's store lives: the file named by PANTREL_REGISTRY, else
// /var/lib/pantrel/registry.db.
std::filesystem::path DefaultStorePath();

// Whether `path` can name the machine's store: a path of a file, not a name that SQLite gives
// another meaning (":memory:" or anything else starting with ":", a "file:" URI) nor a folder's
// path ending in "/". The store is opened by its absolute path, never as a URI, whatever the name.
bool IsPlainStorePath(const std::filesystem::path& path);

// The registry stand-in: one SQLite database file (or ":memory:", a scratch store of the
// process), opened on first use.
//
// - Everything written through keys opened with KEY_SET_VALUE or KEY_CREATE_SUB_KEY access is
//   one transaction: the first such key begins it, closing the last one commits it, and that
//   Close() answers the commit's status. Keys read through this object see what it wrote.
// - Other processes read the last committed state meanwhile; a second writer waits (up to 30 s)
//   until the first one has committed.
// - Reading a missing store answers 2 and creates nothing; CreateKey creates the folder and the
//   file. A store that cannot be written (also a file without any write permission bit) answers
//   5 to CreateKey, and to OpenKey for writing of a key that exists.
// - Empty path components, and names or data longer than the Windows registry takes, answer 87;
//   a file that is no store of this layout answers 1009.
// - DeleteSubKey needs a key opened for writing and refuses a key with subkeys (5, as
//   RegDeleteKey does on Windows NT); its name may be a path relative to the key.
// - Writing through a key that has been deleted meanwhile answers 1018.
// A key may outlive the store object it came from.
class SqliteRegistryStore final : public RegistryStore {
public:
    explicit SqliteRegistryStore(std::filesystem::path path);
    ~SqliteRegistryStore() override;

    Status OpenKey(std::string_view path, std::uint32_t access,
                   std::unique_ptr<StoreKey>& key) override;
    Status CreateKey(std::string_view path, std::uint32_t access,
                     std::unique_ptr<StoreKey>& key) override;

    const std::filesystem::path& Path() const;

    // Diagnostics: the number of transactions this object has committed (or tried to) so far.
    std::uint64_t CommitCount() const;

private:
    std::shared_ptr<SqliteStoreState> state_;
};

}  // namespace pantrel
