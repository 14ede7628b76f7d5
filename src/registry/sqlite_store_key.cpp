#include "registry/sqlite_store_key.h"

#include <utility>

#include "base/windows1250.h"
#include "registry/sqlite_names.h"

namespace pantrel {

namespace {

constexpr std::string_view ENUM_SQL =
    "SELECT name, data, type FROM store_value WHERE key = ?1 ORDER BY seq LIMIT -1 OFFSET ?2";

}  // namespace

SqliteStoreKey::SqliteStoreKey(std::shared_ptr<SqliteStoreState> state, const StoredKey& key,
                               bool forWriting)
    : state_(std::move(state)),
      id_(key.id),
      folded_(FoldName(key.path)),
      forWriting_(forWriting),
      deletionsChecked_(state_->Deletions()) {
    state_->KeyOpened(forWriting_);
}

SqliteStoreKey::~SqliteStoreKey() {
    CloseKey();
}

Status SqliteStoreKey::Close() {
    return CloseKey();
}

Status SqliteStoreKey::CloseKey() {
    if (!open_) {
        return ERROR_SUCCESS_STATUS;
    }
    open_ = false;
    cursor_.reset();
    return state_->KeyClosed(forWriting_);
}

Status SqliteStoreKey::EnumValue(std::uint32_t index, std::string& name, std::size_t nameCapacity,
                                 std::string* data, std::size_t dataCapacity) {
    name.clear();
    if (data != nullptr) {
        data->clear();
    }
    if (!open_) {
        return ERROR_INVALID_HANDLE_STATUS;
    }
    if (!cursor_) {
        if (const Status status = Prepare(state_->Db(), ENUM_SQL, cursor_); status != 0) {
            return status;
        }
    }
    sqlite3_stmt* cursor = cursor_.get();
    if (cursorGeneration_ != state_->Generation() || index != cursorNext_ ||
        sqlite3_stmt_busy(cursor) == 0) {
        sqlite3_reset(cursor);
        sqlite3_bind_int64(cursor, 1, id_);
        sqlite3_bind_int64(cursor, 2, index);
        cursorGeneration_ = state_->Generation();
    }
    const int result = sqlite3_step(cursor);
    cursorNext_ = index + 1;
    if (result != SQLITE_ROW) {
        sqlite3_reset(cursor);  // lets go of the snapshot
        return result == SQLITE_DONE ? ERROR_NO_MORE_ITEMS_STATUS : StatusOfSqlite(result);
    }
    const std::string_view storedName = ColumnText(cursor, 0);
    const std::string_view storedData = ColumnBlob(cursor, 1);
    const auto type = static_cast<std::uint32_t>(sqlite3_column_int64(cursor, 2));
    // Capacities count what the registry counts, not UTF-8 bytes: every entry a reader of the
    // registry can take is listed here too.
    if ((nameCapacity == 0 || !RegistryTextFits(storedName, nameCapacity - 1)) ||
        (data != nullptr && RegistryDataSize(type, storedData) > dataCapacity)) {
        return ERROR_MORE_DATA_STATUS;
    }
    name.assign(storedName);
    if (data != nullptr) {
        data->assign(storedData);
    }
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreKey::QueryValue(std::string_view name, std::uint32_t& type, std::string& data,
                                  std::size_t capacity, std::size_t& size) {
    data.clear();
    size = 0;
    if (!open_) {
        return ERROR_INVALID_HANDLE_STATUS;
    }
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* query = state_->Statement(StoreSql::QueryValue, status);
    if (query == nullptr) {
        return status;
    }
    const StatementUse use(query);
    sqlite3_bind_int64(query, 1, id_);
    FoldNameInto(name, foldedName_);
    BindTextInPlace(query, 2, foldedName_);
    const int result = sqlite3_step(query);
    if (result == SQLITE_DONE) {
        return ERROR_FILE_NOT_FOUND_STATUS;
    }
    if (result != SQLITE_ROW) {
        return StatusOfSqlite(result);
    }
    type = static_cast<std::uint32_t>(sqlite3_column_int64(query, 0));
    const std::string_view stored = ColumnBlob(query, 1);
    size = RegistryDataSize(type, stored);
    if (size > capacity) {
        return ERROR_MORE_DATA_STATUS;
    }
    data.assign(stored);
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreKey::CheckWritable() {
    if (!open_) {
        return ERROR_INVALID_HANDLE_STATUS;
    }
    if (!forWriting_) {
        return ERROR_ACCESS_DENIED_STATUS;
    }
    if (const Status failure = state_->TransactionFailure(); failure != 0) {
        return failure;
    }
    if (deletionsChecked_ == state_->Deletions()) {
        return ERROR_SUCCESS_STATUS;
    }
    // Some key was deleted since this one was last checked: make sure it was not this one, so
    // that no value is written into a key that no longer exists.
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* exists = state_->Statement(StoreSql::KeyExists, status);
    if (exists == nullptr) {
        return status;
    }
    const StatementUse use(exists);
    sqlite3_bind_int64(exists, 1, id_);
    const int result = sqlite3_step(exists);
    if (result == SQLITE_DONE) {
        return ERROR_KEY_DELETED_STATUS;
    }
    if (result != SQLITE_ROW) {
        return StatusOfSqlite(result);
    }
    deletionsChecked_ = state_->Deletions();
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreKey::StepWrite(sqlite3_stmt* statement) {
    const int result = sqlite3_step(statement);
    if (result == SQLITE_DONE) {
        state_->NoteChange();
        return ERROR_SUCCESS_STATUS;
    }
    const Status status = StatusOfSqlite(result);
    state_->NoteWriteFailure(status);
    return status;
}

Status SqliteStoreKey::SetValue(std::string_view name, std::uint32_t type, std::string_view data) {
    if (const Status status = CheckWritable(); status != 0) {
        return status;
    }
    if (!IsStorableValue(name, data.size())) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    FoldNameInto(name, foldedName_);
    const std::string_view folded = foldedName_;
    std::int64_t seq = 0;
    Status status = state_->NextSeq(id_, seq);
    if (status != 0) {
        state_->NoteWriteFailure(status);
        return status;
    }
    // A new value is appended with the place read once per run of writes (an install writes
    // thousands into one key); a name the key holds already keeps its place and first spelling.
    sqlite3_stmt* append = state_->Statement(StoreSql::AppendValue, status);
    if (append == nullptr) {
        return status;
    }
    {
        // The texts are bound where they lie; the statement is reset before any of them goes.
        const StatementUse use(append);
        sqlite3_bind_int64(append, 1, id_);
        sqlite3_bind_int64(append, 2, seq);
        BindTextInPlace(append, 3, name);
        BindTextInPlace(append, 4, folded);
        sqlite3_bind_int64(append, 5, type);
        BindBlobInPlace(append, 6, data);
        if (status = StepWrite(append); status != 0) {
            return status;
        }
        if (sqlite3_changes(state_->Db()) != 0) {
            state_->NoteNextSeq(id_, seq + 1);
            return ERROR_SUCCESS_STATUS;
        }
    }
    sqlite3_stmt* replace = state_->Statement(StoreSql::ReplaceValue, status);
    if (replace == nullptr) {
        return status;
    }
    const StatementUse use(replace);
    sqlite3_bind_int64(replace, 1, id_);
    BindTextInPlace(replace, 2, folded);
    sqlite3_bind_int64(replace, 3, type);
    BindBlobInPlace(replace, 4, data);
    if (status = StepWrite(replace); status == 0) {
        state_->NoteNextSeq(id_, seq);
    }
    return status;
}

Status SqliteStoreKey::DeleteValue(std::string_view name) {
    if (const Status status = CheckWritable(); status != 0) {
        return status;
    }
    FoldNameInto(name, foldedName_);
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* remove = state_->Statement(StoreSql::DeleteValue, status);
    if (remove == nullptr) {
        return status;
    }
    const StatementUse use(remove);
    sqlite3_bind_int64(remove, 1, id_);
    BindTextInPlace(remove, 2, foldedName_);
    status = StepWrite(remove);
    if (status == 0 && sqlite3_changes(state_->Db()) == 0) {
        return ERROR_FILE_NOT_FOUND_STATUS;
    }
    return status;
}

Status SqliteStoreKey::EnumSubKey(std::uint32_t index, std::string& name) {
    name.clear();
    if (!open_) {
        return ERROR_INVALID_HANDLE_STATUS;
    }
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* children = state_->Statement(StoreSql::EnumSubKey, status);
    if (children == nullptr) {
        return status;
    }
    const StatementUse use(children);
    sqlite3_bind_int64(children, 1, id_);
    sqlite3_bind_int64(children, 2, index);
    const int result = sqlite3_step(children);
    if (result != SQLITE_ROW) {
        return result == SQLITE_DONE ? ERROR_NO_MORE_ITEMS_STATUS : StatusOfSqlite(result);
    }
    name.assign(ColumnText(children, 0));
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreKey::DeleteSubKey(std::string_view name) {
    if (const Status status = CheckWritable(); status != 0) {
        return status;
    }
    if (!SplitKeyPath(name)) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    StoredKey subKey;
    if (const Status status = state_->FindKey(folded_ + "\\" + FoldName(name), subKey);
        status != 0) {
        return status;
    }
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* children = state_->Statement(StoreSql::HasSubkeys, status);
    if (children == nullptr) {
        return status;
    }
    {
        const StatementUse use(children);
        sqlite3_bind_int64(children, 1, subKey.id);
        const int result = sqlite3_step(children);
        if (result == SQLITE_ROW) {
            return ERROR_ACCESS_DENIED_STATUS;  // what RegDeleteKey answers on Windows NT
        }
        if (result != SQLITE_DONE) {
            return StatusOfSqlite(result);
        }
    }
    // The key and its values go together or not at all.
    status = Execute(state_->Db(), "SAVEPOINT remove_key");
    if (status == 0) {
        status = RemoveSubKey(subKey.id);
        if (status != 0 && sqlite3_get_autocommit(state_->Db()) == 0) {
            Execute(state_->Db(), "ROLLBACK TO remove_key");
        }
        if (sqlite3_get_autocommit(state_->Db()) == 0) {
            Execute(state_->Db(), "RELEASE remove_key");
        }
    }
    if (status != 0) {
        state_->NoteWriteFailure(status);
        return status;
    }
    state_->NoteDeletion();
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreKey::RemoveSubKey(std::int64_t id) {
    for (const StoreSql which : {StoreSql::DeleteKeyValues, StoreSql::DeleteKey}) {
        Status status = ERROR_SUCCESS_STATUS;
        sqlite3_stmt* remove = state_->Statement(which, status);
        if (remove == nullptr) {
            return status;
        }
        const StatementUse use(remove);
        sqlite3_bind_int64(remove, 1, id);
        if (status = StepWrite(remove); status != 0) {
            return status;
        }
    }
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
