// One run of a statement that a store connection prepared once and keeps for the next runs.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string_view>

#include "base/win32_status.h"

namespace pantrel {

// Binds, steps and reads one run of a kept statement, and resets it and drops its bindings when
// the run goes out of scope, so that no statement keeps a read snapshot alive between calls. A
// statement that could not be prepared makes the binds do nothing and Step answer why.
class StatementRun {
public:
    // `statement` is null when it could not be prepared; `prepared` is then the reason.
    StatementRun(sqlite3_stmt* statement, Status prepared)
        : statement_(statement), prepared_(prepared) {}
    ~StatementRun();
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

    StatementRun& Bind(int index, std::int64_t value);
    // Copies the text: it may go before the run ends.
    StatementRun& BindText(int index, std::string_view text);
    // Read in place: the bytes must outlive the run (declared before it).
    StatementRun& BindTextInPlace(int index, std::string_view text);
    StatementRun& BindBlobInPlace(int index, std::string_view bytes);

    // Steps once: 0 with a row to read, `noRow` when the statement has no (more) rows, the
    // store's status for any other result of SQLite or for a statement that was not prepared.
    Status Step(Status noRow = ERROR_SUCCESS_STATUS);

    // Columns of the row that Step found; texts and blobs are empty for NULL and valid until the
    // next step or the end of the run.
    std::int64_t Int64(int column) const;
    std::string_view Text(int column) const;
    std::string_view Blob(int column) const;

private:
    sqlite3_stmt* statement_;
    Status prepared_;
};

}  // namespace pantrel
