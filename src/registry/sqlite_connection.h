// Owners of SQLite connections and statements, and opening the store file.
#pragma once

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "base/win32_status.h"

namespace pantrel {

struct SqliteDatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteDatabase = std::unique_ptr<sqlite3, SqliteDatabaseCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer>;

// Marks a database file as a registry store ("PRGS") and names the layout of its tables.
inline constexpr std::int32_t STORE_APPLICATION_ID = 0x50524753;
inline constexpr std::int32_t STORE_SCHEMA_VERSION = 1;

// How long a writer waits for another one before giving up (ms).
inline constexpr int STORE_BUSY_TIMEOUT_MS = 30000;

// The Win32 status that stands for an SQLite result code.
Status StatusOfSqlite(int result);

// Resets a statement and drops its bindings when it goes out of scope, so that no statement
// keeps a read snapshot alive between calls.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : statement_(statement) {}
    ~StatementUse() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    sqlite3_stmt* statement_;
};

Status Prepare(sqlite3* db, std::string_view sql, SqliteStatement& statement);
// Runs statements that return no rows the caller needs.
Status Execute(sqlite3* db, const char* sql);

// Bind a text or the bytes of a blob; an empty one is bound empty, never as NULL.
void BindText(sqlite3_stmt* statement, int index, std::string_view text);
void BindBlob(sqlite3_stmt* statement, int index, std::string_view bytes);
// The same without copying: the bytes must stay in place until the statement has been reset
// (a StatementUse declared after them).
void BindTextInPlace(sqlite3_stmt* statement, int index, std::string_view text);
void BindBlobInPlace(sqlite3_stmt* statement, int index, std::string_view bytes);

// The text and blob columns of the current row, empty for NULL.
std::string_view ColumnText(sqlite3_stmt* statement, int column);
std::string_view ColumnBlob(sqlite3_stmt* statement, int column);

// What a database file holds: nothing yet, a store of this layout, or something else.
enum class StoreSchema { Empty, Ours, Foreign };
// The queries that ReadStoreSchema steps, each prepared once by a connection: the application
// id, the layout version, the number of objects in the schema.
inline constexpr std::array<const char*, 3> STORE_SCHEMA_SQL = {
    "PRAGMA application_id", "PRAGMA user_version", "SELECT count(*) FROM sqlite_schema"};
Status ReadStoreSchema(const std::array<sqlite3_stmt*, 3>& queries, StoreSchema& schema);
// Reads every page of the store and answers 1009 when any of them is damaged (SQLite's quick
// check: the structure of every table and index, not whether indexes agree with their tables).
Status CheckStoreIntact(sqlite3* db);
// Creates the tables of an empty store; runs inside the caller's transaction.
Status CreateStoreSchema(sqlite3* db);

// Switches a new store (or one left in another journal mode) to the WAL journal; nothing when
// it already uses it. Runs outside any transaction.
// `mode` is the prepared "PRAGMA journal_mode".
Status UseWalJournal(sqlite3* db, sqlite3_stmt* mode);

// Opens the store file. A missing file answers 2 unless `create` is set, in which case its
// folder and the file are created (5 when that is not possible). A file without any write
// permission bit is opened for reading only, whoever runs the tool. `writable` tells whether
// the connection may write.
Status OpenStoreDatabase(const std::filesystem::path& path, bool create, SqliteDatabase& db,
                         bool& writable);

}  // namespace pantrel
