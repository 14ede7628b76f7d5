#include "registry/sqlite_statement_run.h"

#include "registry/sqlite_connection.h"

namespace pantrel {

StatementRun::~StatementRun() {
    if (statement_ != nullptr) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

StatementRun& StatementRun::Bind(int index, std::int64_t value) {
    if (statement_ != nullptr) {
        sqlite3_bind_int64(statement_, index, value);
    }
    return *this;
}

StatementRun& StatementRun::BindText(int index, std::string_view text) {
    if (statement_ != nullptr) {
        pantrel::BindText(statement_, index, text);
    }
    return *this;
}

StatementRun& StatementRun::BindTextInPlace(int index, std::string_view text) {
    if (statement_ != nullptr) {
        pantrel::BindTextInPlace(statement_, index, text);
    }
    return *this;
}

StatementRun& StatementRun::BindBlobInPlace(int index, std::string_view bytes) {
    if (statement_ != nullptr) {
        pantrel::BindBlobInPlace(statement_, index, bytes);
    }
    return *this;
}

Status StatementRun::Step(Status noRow) {
    if (statement_ == nullptr) {
        return prepared_;
    }
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) {
        return ERROR_SUCCESS_STATUS;
    }
    return result == SQLITE_DONE ? noRow : StatusOfSqlite(result);
}

std::int64_t StatementRun::Int64(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string_view StatementRun::Text(int column) const {
    return ColumnText(statement_, column);
}

std::string_view StatementRun::Blob(int column) const {
    return ColumnBlob(statement_, column);
}

}  // namespace pantrel
