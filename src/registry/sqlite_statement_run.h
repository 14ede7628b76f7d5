// One run of a statement that a store connection prepared once and keeps for the next runs.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string_view>

#include "base/win32_status.h"
#include "registry/sqlite_connection.h"

namespace pantrel {

// Binds, steps and reads one run of a kept statement, and resets it and drops its bindings when
// the run goes out of scope, so that no statement keeps a read snapshot alive between calls. A
// statement that could not be prepared makes the binds do nothing and Step answer why.
// Defined here, in line: an install runs several of these for every model it writes.
class StatementRun {
public:
    // `statement` is null when it could not be prepared; `prepared` is then the reason.
    StatementRun(sqlite3_stmt* statement, Status prepared)
        : statement_(statement), prepared_(prepared) {}
    ~StatementRun() {
        if (statement_ != nullptr) {
            sqlite3_reset(statement_);
            sqlite3_clear_bindings(statement_);
        }
    }
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

    StatementRun& Bind(int index, std::int64_t value) {
        if (statement_ != nullptr) {
            sqlite3_bind_int64(statement_, index, value);
        }
        return *this;
    }
    // Copies the text: it may go before the run ends.
    StatementRun& BindText(int index, std::string_view text) {
        if (statement_ != nullptr) {
            pantrel::BindText(statement_, index, text);
        }
        return *this;
    }
    // Read in place: the bytes must outlive the run (declared before it).
    StatementRun& BindTextInPlace(int index, std::string_view text) {
        if (statement_ != nullptr) {
            pantrel::BindTextInPlace(statement_, index, text);
        }
        return *this;
    }
    StatementRun& BindBlobInPlace(int index, std::string_view bytes) {
        if (statement_ != nullptr) {
            pantrel::BindBlobInPlace(statement_, index, bytes);
        }
        return *this;
    }

    // Steps once: 0 with a row to read, `noRow` when the statement has no (more) rows, the
    // store's status for any other result of SQLite or for a statement that was not prepared.
    Status Step(Status noRow = ERROR_SUCCESS_STATUS) {
        if (statement_ == nullptr) {
            return prepared_;
        }
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) {
            return ERROR_SUCCESS_STATUS;
        }
        return result == SQLITE_DONE ? noRow : StatusOfSqlite(result);
    }

    // Columns of the row that Step found; texts and blobs are empty for NULL and valid until the
    // next step or the end of the run.
    std::int64_t Int64(int column) const { return sqlite3_column_int64(statement_, column); }
    std::string_view Text(int column) const { return ColumnText(statement_, column); }
    std::string_view Blob(int column) const { return ColumnBlob(statement_, column); }

private:
    sqlite3_stmt* statement_;
    Status prepared_;
};

}  // namespace pantrel
