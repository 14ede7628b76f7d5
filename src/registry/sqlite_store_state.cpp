#include "registry/sqlite_store_state.h"

#include <utility>

#include "registry/sqlite_names.h"

namespace pantrel {

namespace {

constexpr std::array<const char*, static_cast<std::size_t>(StoreSql::Count)> STORE_SQL = {
    "SELECT id, path FROM store_key WHERE folded = ?1",
    "INSERT INTO store_key (parent, name, path, folded) VALUES (?1, ?2, ?3, ?4)",
    "SELECT 1 FROM store_key WHERE parent = ?1 LIMIT 1",
    "SELECT name FROM store_key WHERE parent = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
    "SELECT 1 FROM store_key WHERE id = ?1",
    "DELETE FROM store_key WHERE id = ?1",
    "DELETE FROM store_value WHERE key = ?1",
    "SELECT type, data FROM store_value WHERE key = ?1 AND folded = ?2",
    "SELECT coalesce(max(seq), 0) FROM store_value WHERE key = ?1",
    // A new value goes after the last one of its key; a replaced one keeps its place and the
    // name's first spelling.
    "INSERT INTO store_value (key, seq, name, folded, type, data) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (key, folded) DO NOTHING",
    "UPDATE store_value SET type = ?3, data = ?4 WHERE key = ?1 AND folded = ?2",
    "DELETE FROM store_value WHERE key = ?1 AND folded = ?2",
    STORE_SCHEMA_SQL[0],
    STORE_SCHEMA_SQL[1],
    STORE_SCHEMA_SQL[2],
    "PRAGMA journal_mode",
    // Taking the write lock at once: what is read in the transaction holds when it is written.
    "BEGIN IMMEDIATE",
    "COMMIT",
};

}  // namespace

int SqliteStoreState::CountCommit(void* state) {
    auto* self = static_cast<SqliteStoreState*>(state);
    if (self->inTransaction_) {
        ++self->commits_;
    }
    return 0;
}

Status SqliteStoreState::Connect(bool forWriting, bool create) {
    if (db_ && (writable_ || !forWriting)) {
        return ERROR_SUCCESS_STATUS;
    }
    if (db_) {
        if (openKeys_ > 0) {
            return ERROR_SUCCESS_STATUS;  // keys still read through it: stays read-only
        }
        Disconnect();  // the file may have become writable since
    }
    const Status status = OpenStoreDatabase(path_, create, db_, writable_);
    if (status != 0) {
        Disconnect();
        return status;
    }
    sqlite3_commit_hook(db_.get(), CountCommit, this);
    return ERROR_SUCCESS_STATUS;
}

void SqliteStoreState::Disconnect() {
    for (auto& statement : statements_) {
        statement.reset();
    }
    db_.reset();
    writable_ = false;
    schemaReady_ = false;
    checked_ = false;
}

Status SqliteStoreState::CheckSchema(bool& ready) {
    ready = schemaReady_;
    if (ready) {
        return ERROR_SUCCESS_STATUS;
    }
    StoreSchema schema = StoreSchema::Empty;
    if (const Status status = ReadSchema(schema); status != 0) {
        return status;
    }
    if (schema == StoreSchema::Foreign) {
        return ERROR_BADDB_STATUS;
    }
    ready = schemaReady_ = schema == StoreSchema::Ours;
    return ERROR_SUCCESS_STATUS;
}

void SqliteStoreState::ResetAllStatements() {
    for (sqlite3_stmt* statement = sqlite3_next_stmt(db_.get(), nullptr); statement != nullptr;
         statement = sqlite3_next_stmt(db_.get(), statement)) {
        sqlite3_reset(statement);
    }
}

Status SqliteStoreState::BeginWriting() {
    // A cursor still stepping holds an old snapshot, from which no write lock can be taken.
    ResetAllStatements();
    NoteChange();
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* const mode = Statement(StoreSql::JournalMode, status);
    if (mode != nullptr) {
        status = UseWalJournal(db_.get(), mode);
    }
    if (status == 0) {
        status = Use(StoreSql::Begin).Step();
    }
    if (status != 0) {
        return status;
    }
    transactionFailure_ = ERROR_SUCCESS_STATUS;
    inTransaction_ = true;
    StoreSchema schema = StoreSchema::Empty;
    status = ReadSchema(schema);
    if (status == 0 && schema == StoreSchema::Foreign) {
        status = ERROR_BADDB_STATUS;
    }
    if (status == 0 && schema == StoreSchema::Empty) {
        status = CreateStoreSchema(db_.get());
    }
    if (status == 0 && schema == StoreSchema::Ours && !checked_) {
        // A write into a damaged file spreads the damage, and an install that succeeds on a
        // store the listing calls damaged tells the installer a lie. Once per connection: its
        // own commits leave the file whole.
        status = CheckStoreIntact(db_.get());
        checked_ = status == 0;
    }
    if (status != 0) {
        AbandonWriting();
        return status;
    }
    schemaReady_ = true;
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreState::FinishWriting() {
    Status status = transactionFailure_;
    if (status == 0) {
        status = sqlite3_get_autocommit(db_.get()) != 0 ? ERROR_REGISTRY_IO_FAILED_STATUS
                                                        : Use(StoreSql::Commit).Step();
    }
    if (status != 0) {
        AbandonWriting();  // nothing of a failed commit is kept
    }
    transactionFailure_ = ERROR_SUCCESS_STATUS;
    inTransaction_ = false;
    return status;
}

void SqliteStoreState::AbandonWriting() {
    if (sqlite3_get_autocommit(db_.get()) == 0) {
        Execute(db_.get(), "ROLLBACK");
    }
    transactionFailure_ = ERROR_SUCCESS_STATUS;
    inTransaction_ = false;
    // Keys created in the transaction are gone: the tables may be gone too.
    schemaReady_ = false;
    NoteDeletion();
}

void SqliteStoreState::KeyOpened(bool forWriting) {
    ++openKeys_;
    if (forWriting) {
        ++writeHandles_;
    }
}

Status SqliteStoreState::KeyClosed(bool forWriting) {
    --openKeys_;
    if (forWriting && --writeHandles_ == 0) {
        return FinishWriting();
    }
    return ERROR_SUCCESS_STATUS;
}

void SqliteStoreState::NoteWriteFailure(Status status) {
    if (sqlite3_get_autocommit(db_.get()) != 0 && transactionFailure_ == 0) {
        transactionFailure_ = status;
    }
}

sqlite3_stmt* SqliteStoreState::Statement(StoreSql which, Status& status) {
    SqliteStatement& statement = statements_.at(static_cast<std::size_t>(which));
    if (!statement) {
        status = Prepare(db_.get(), STORE_SQL.at(static_cast<std::size_t>(which)), statement);
        if (status != 0) {
            return nullptr;
        }
    }
    status = ERROR_SUCCESS_STATUS;
    return statement.get();
}

StatementRun SqliteStoreState::Use(StoreSql which) {
    Status status = ERROR_SUCCESS_STATUS;
    sqlite3_stmt* const statement = Statement(which, status);
    return {statement, status};
}

Status SqliteStoreState::ReadSchema(StoreSchema& schema) {
    std::array<sqlite3_stmt*, 3> queries{};
    for (std::size_t i = 0; i < queries.size(); ++i) {
        Status status = ERROR_SUCCESS_STATUS;
        queries[i] = Statement(
            static_cast<StoreSql>(static_cast<std::size_t>(StoreSql::ApplicationId) + i), status);
        if (queries[i] == nullptr) {
            return status;
        }
    }
    return ReadStoreSchema(queries, schema);
}

Status SqliteStoreState::NextSeq(std::int64_t key, std::int64_t& seq) {
    if (seqKey_ == key && seqGeneration_ == generation_) {
        seq = nextSeq_;
        return ERROR_SUCCESS_STATUS;
    }
    StatementRun last = Use(StoreSql::LastSeq);
    last.Bind(1, key);
    // An aggregate always answers a row; none means a damaged store.
    if (const Status status = last.Step(ERROR_BADDB_STATUS); status != 0) {
        return status;
    }
    seq = last.Int64(0) + 1;
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreState::FindKey(std::string_view folded, StoredKey& key) {
    StatementRun find = Use(StoreSql::FindKey);
    find.BindText(1, folded);
    if (const Status status = find.Step(ERROR_FILE_NOT_FOUND_STATUS); status != 0) {
        return status;
    }
    key.id = find.Int64(0);
    key.path = find.Text(1);
    return ERROR_SUCCESS_STATUS;
}

Status SqliteStoreState::CreateKeyPath(std::string_view path, StoredKey& key) {
    if (transactionFailure_ != 0) {
        return transactionFailure_;
    }
    const auto components = SplitKeyPath(path);
    if (!components) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    StoredKey parent;
    for (const std::string_view component : *components) {
        const auto end =
            static_cast<std::size_t>(component.data() - path.data()) + component.size();
        const std::string folded = FoldName(path.substr(0, end));
        StoredKey found;
        const Status lookup = FindKey(folded, found);
        if (lookup == 0) {
            parent = std::move(found);
            continue;
        }
        if (lookup != ERROR_FILE_NOT_FOUND_STATUS) {
            NoteWriteFailure(lookup);
            return lookup;
        }
        std::string childPath =
            parent.id == 0 ? std::string(component) : parent.path + "\\" + std::string(component);
        StatementRun insert = Use(StoreSql::InsertKey);
        insert.Bind(1, parent.id).BindText(2, component).BindText(3, childPath).BindText(4, folded);
        if (const Status status = insert.Step(); status != 0) {
            NoteWriteFailure(status);
            return status;
        }
        parent.id = sqlite3_last_insert_rowid(db_.get());
        parent.path = std::move(childPath);
        NoteChange();
    }
    key = std::move(parent);
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
