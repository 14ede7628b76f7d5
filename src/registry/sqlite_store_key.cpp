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
    FoldNameInto(name, foldedName_);
    StatementRun query = state_->Use(StoreSql::QueryValue);
    query.Bind(1, id_).BindTextInPlace(2, foldedName_);
    if (const Status status = query.Step(ERROR_FILE_NOT_FOUND_STATUS); status != 0) {
        return status;
    }
    type = static_cast<std::uint32_t>(query.Int64(0));
    const std::string_view stored = query.Blob(1);
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
    StatementRun exists = state_->Use(StoreSql::KeyExists);
    exists.Bind(1, id_);
    if (const Status status = exists.Step(ERROR_KEY_DELETED_STATUS); status != 0) {
        return status;
    }
    deletionsChecked_ = state_->Deletions();
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreKey::StepWrite(StatementRun& statement) {
    const Status status = statement.Step();
    if (status == 0) {
        state_->NoteChange();
    } else {
        state_->NoteWriteFailure(status);
    }
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
    {
        // The texts are bound where they lie; the statement is reset before any of them goes.
        StatementRun append = state_->Use(StoreSql::AppendValue);
        append.Bind(1, id_).Bind(2, seq).BindTextInPlace(3, name).BindTextInPlace(4, folded);
        append.Bind(5, type).BindBlobInPlace(6, data);
        if (status = StepWrite(append); status != 0) {
            return status;
        }
        if (sqlite3_changes(state_->Db()) != 0) {
            state_->NoteNextSeq(id_, seq + 1);
            return ERROR_SUCCESS_STATUS;
        }
    }
    StatementRun replace = state_->Use(StoreSql::ReplaceValue);
    replace.Bind(1, id_).BindTextInPlace(2, folded).Bind(3, type).BindBlobInPlace(4, data);
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
    StatementRun remove = state_->Use(StoreSql::DeleteValue);
    remove.Bind(1, id_).BindTextInPlace(2, foldedName_);
    const Status status = StepWrite(remove);
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
    StatementRun children = state_->Use(StoreSql::EnumSubKey);
    children.Bind(1, id_).Bind(2, index);
    if (const Status status = children.Step(ERROR_NO_MORE_ITEMS_STATUS); status != 0) {
        return status;
    }
    name.assign(children.Text(0));
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
    {
        StatementRun children = state_->Use(StoreSql::HasSubkeys);
        children.Bind(1, subKey.id);
        status = children.Step(ERROR_NO_MORE_ITEMS_STATUS);  // a row: it has a subkey
        if (status == 0) {
            return ERROR_ACCESS_DENIED_STATUS;  // what RegDeleteKey answers on Windows NT
        }
        if (status != ERROR_NO_MORE_ITEMS_STATUS) {
            return status;
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
        StatementRun remove = state_->Use(which);
        remove.Bind(1, id);
        if (const Status status = StepWrite(remove); status != 0) {
            return status;
        }
    }
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
