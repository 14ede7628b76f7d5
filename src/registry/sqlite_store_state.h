// The SQLite store's connection and prepared statements.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/win32_status.h"
#include "registry/sqlite_connection.h"
#include "registry/sqlite_statement_run.h"

namespace pantrel {

// The statements a store runs again and again, prepared once per connection.
enum class StoreSql : std::size_t {
    FindKey,
    InsertKey,
    HasSubkeys,
    EnumSubKey,
    KeyExists,
    DeleteKey,
    DeleteKeyValues,
    QueryValue,
    LastSeq,
    AppendValue,
    ReplaceValue,
    DeleteValue,
    ApplicationId,
    UserVersion,
    SchemaObjects,
    JournalMode,
    Begin,
    Commit,
    Count,
};

// A key row: its id and its path in the case it was first written with.
struct StoredKey {
    std::int64_t id = 0;
    std::string path;
};

// The connection of one store object and the transaction of its write handles, shared by the
// store and every key it opened.
class SqliteStoreState {
public:
    explicit SqliteStoreState(std::filesystem::path path) : path_(std::move(path)) {}
    SqliteStoreState(const SqliteStoreState&) = delete;
    SqliteStoreState& operator=(const SqliteStoreState&) = delete;
    ~SqliteStoreState() = default;

    const std::filesystem::path& Path() const { return path_; }
    sqlite3* Db() const { return db_.get(); }
    std::uint64_t Commits() const { return commits_; }

    // Opens the connection if needed. `forWriting` asks for a writable one (re-opening a
    // read-only connection when no key holds it); `create` creates a missing store. Whether the
    // connection came out writable is Writable().
    Status Connect(bool forWriting, bool create);
    bool Writable() const { return writable_; }

    // Whether the store holds the tables yet: 0 with `ready`, or 1009 for a foreign file.
    Status CheckSchema(bool& ready);

    // The write transaction: BeginWriting starts it for the first write handle (creating the
    // tables of a new store), FinishWriting commits it when the last one closes, and
    // AbandonWriting drops it when the handle it was begun for did not come about.
    bool Writing() const { return writeHandles_ > 0; }
    Status BeginWriting();
    Status FinishWriting();
    void AbandonWriting();

    // Bookkeeping of the keys handed out; closing the last write handle commits.
    void KeyOpened(bool forWriting);
    Status KeyClosed(bool forWriting);

    // Called after a failed write: if SQLite has rolled the transaction back on its own, the
    // rest of it must fail too and its commit report the failure.
    void NoteWriteFailure(Status status);
    // 0 while the transaction can still be committed.
    Status TransactionFailure() const { return transactionFailure_; }

    // A change of any value or key: stepping cursors start afresh at their next call.
    void NoteChange() { ++generation_; }
    void NoteDeletion() {
        ++deletions_;
        ++generation_;
    }
    std::uint64_t Generation() const { return generation_; }
    std::uint64_t Deletions() const { return deletions_; }

    // The place in `key`'s listing order that a new value takes: remembered from the last value
    // appended while nothing else in the store changed, else read from the key's last value.
    Status NextSeq(std::int64_t key, std::int64_t& seq);
    // After the NoteChange of a value written to `key`: the next new value takes `seq`.
    void NoteNextSeq(std::int64_t key, std::int64_t seq) {
        seqKey_ = key;
        nextSeq_ = seq;
        seqGeneration_ = generation_;
    }

    // A run of a cached statement, prepared on its first use; a statement that cannot be
    // prepared answers why at its Step.
    StatementRun Use(StoreSql which);

    // Looks a key up by its full folded path: 0, 2 or an error.
    Status FindKey(std::string_view folded, StoredKey& key);
    // Creates the key and every missing key above it; the components are those of `path`.
    Status CreateKeyPath(std::string_view path, StoredKey& key);

private:
    // SQLite's commit hook: counts the commits of the store's write transactions (not the
    // switch of a new file to the WAL journal).
    static int CountCommit(void* state);
    void ResetAllStatements();
    // A cached statement, reset and ready for binding; null with `status` on failure.
    sqlite3_stmt* Statement(StoreSql which, Status& status);
    Status ReadSchema(StoreSchema& schema);
    void Disconnect();

    std::filesystem::path path_;
    // Statements are declared after the connection so that they are finalized first.
    SqliteDatabase db_;
    std::array<SqliteStatement, static_cast<std::size_t>(StoreSql::Count)> statements_;
    bool writable_ = false;
    bool schemaReady_ = false;
    bool checked_ = false;  // the file was found whole by this connection
    bool inTransaction_ = false;
    int openKeys_ = 0;
    int writeHandles_ = 0;
    Status transactionFailure_ = ERROR_SUCCESS_STATUS;
    std::uint64_t generation_ = 0;
    std::uint64_t deletions_ = 0;
    std::uint64_t commits_ = 0;
    std::int64_t seqKey_ = 0;  // key ids start at 1
    std::int64_t nextSeq_ = 0;
    std::uint64_t seqGeneration_ = 0;
};

}  // namespace pantrel
