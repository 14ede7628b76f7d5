// One open key of the SQLite store.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "registry/registry_store.h"
#include "registry/sqlite_connection.h"
#include "registry/sqlite_statement_run.h"
#include "registry/sqlite_store_state.h"

namespace pantrel {

// One open key of a SqliteRegistryStore. Enumeration keeps a stepping cursor, so listing the
// values with the indexes 0, 1, 2, … reads each row once; the cursor starts afresh when the
// index jumps or anything in the store changed.
class SqliteStoreKey final : public StoreKey {
public:
    SqliteStoreKey(std::shared_ptr<SqliteStoreState> state, const StoredKey& key, bool forWriting);
    ~SqliteStoreKey() override;
    SqliteStoreKey(const SqliteStoreKey&) = delete;
    SqliteStoreKey& operator=(const SqliteStoreKey&) = delete;

    Status Close() override;
    Status EnumValue(std::uint32_t index, std::string& name, std::size_t nameCapacity,
                     std::string* data, std::size_t dataCapacity) override;
    Status QueryValue(std::string_view name, std::uint32_t& type, std::string& data,
                      std::size_t capacity, std::size_t& size) override;
    Status SetValue(std::string_view name, std::uint32_t type, std::string_view data) override;
    Status DeleteValue(std::string_view name) override;
    Status EnumSubKey(std::uint32_t index, std::string& name) override;
    Status DeleteSubKey(std::string_view name) override;

private:
    Status CloseKey();
    // 0 when this key may be written now.
    Status CheckWritable();
    Status RemoveSubKey(std::int64_t id);
    // Steps a write; a change restarts the stepping cursors, a failure may end the transaction.
    Status StepWrite(StatementRun& statement);

    std::shared_ptr<SqliteStoreState> state_;
    std::int64_t id_;
    std::string folded_;
    bool forWriting_;
    bool open_ = true;
    std::uint64_t deletionsChecked_;
    // The folded form of the value name at hand, its buffer kept from one value to the next.
    std::string foldedName_;
    // Declared after state_, which keeps the connection alive, so that it is finalized first.
    SqliteStatement cursor_;
    std::uint32_t cursorNext_ = 0;
    std::uint64_t cursorGeneration_ = 0;
};

}  // namespace pantrel
