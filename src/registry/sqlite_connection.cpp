#include "registry/sqlite_connection.h"

#include <fstream>
#include <system_error>

#include "base/utf8_path.h"

namespace pantrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* SCHEMA_SQL = R"sql(
CREATE TABLE store_key (
    id     INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER NOT NULL,
    name   TEXT NOT NULL,
    path   TEXT NOT NULL,
    folded TEXT NOT NULL UNIQUE
);
CREATE INDEX store_key_by_parent ON store_key (parent);
CREATE TABLE store_value (
    key    INTEGER NOT NULL,
    seq    INTEGER NOT NULL,
    name   TEXT NOT NULL,
    folded TEXT NOT NULL,
    type   INTEGER NOT NULL,
    data   BLOB NOT NULL,
    PRIMARY KEY (key, seq)
) WITHOUT ROWID;
CREATE UNIQUE INDEX store_value_by_name ON store_value (key, folded);
PRAGMA application_id = 1347569491;
PRAGMA user_version = 1;
)sql";
static_assert(STORE_APPLICATION_ID == 1347569491 && STORE_SCHEMA_VERSION == 1,
              "the schema text names the application id and the layout version");

bool IsMemoryPath(const fs::path& path) {
    return path == fs::path{":memory:"};
}

bool HasNoWriteBit(const fs::file_status& status) {
    constexpr auto writeBits =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writeBits) == fs::perms::none;
}

// Whether a file stands where `folder` or one of the folders above it should be.
bool HasFileForAFolder(const fs::path& folder) {
    for (fs::path above = folder; !above.empty(); above = above.parent_path()) {
        std::error_code error;
        const fs::file_status status = fs::status(above, error);
        if (fs::exists(status)) {
            return !fs::is_directory(status);
        }
        if (above == above.parent_path()) {
            break;
        }
    }
    return false;
}

// SQLite takes a file shorter than its header for an empty database and would write a new store
// over it: any file with content must begin as a database does. An empty file holds nothing to
// lose and becomes the store, so that it can be made beforehand with the owner and mode wanted.
Status CheckStoreHeader(const fs::path& path) {
    constexpr std::string_view kMagic{"SQLite format 3\0", 16};
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return ERROR_ACCESS_DENIED_STATUS;
    }
    std::array<char, 16> head{};
    file.read(head.data(), head.size());
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got == 0) {
        return ERROR_SUCCESS_STATUS;
    }
    return std::string_view{head.data(), got} == kMagic ? ERROR_SUCCESS_STATUS : ERROR_BADDB_STATUS;
}

bool HasWalContent(const fs::path& path) {
    fs::path wal = path;
    wal += "-wal";
    std::error_code error;
    const auto size = fs::file_size(wal, error);
    return !error && size > 0;
}

// A URI that opens the file as one that nobody changes while it is read.
std::string ImmutableUri(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const std::string text = Utf8FromPath(error ? path : absolute);
    std::string uri = "file:";
    constexpr const char* hex = "0123456789ABCDEF";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || byte == '/' || byte == '-' ||
                           byte == '_' || byte == '.' || byte == '~';
        if (plain) {
            uri += c;
        } else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 0x0F];
        }
    }
    return uri + "?mode=ro&immutable=1";
}

Status OpenWith(const char* name, int flags, SqliteDatabase& db) {
    // SQLite's count of the memory it holds takes a lock around every allocation; nothing here
    // reads that count. It can be switched off only before SQLite starts, once per process.
    static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    static_cast<void>(configured);
    sqlite3* raw = nullptr;
    // A connection belongs to one store object, used from one thread: no locks inside it.
    const int result = sqlite3_open_v2(name, &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    db.reset(raw);
    if (result != SQLITE_OK) {
        db.reset();
        return StatusOfSqlite(result);
    }
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), STORE_BUSY_TIMEOUT_MS);
    // Room for a large model key in the page cache, so that listing it again reads no file.
    sqlite3_exec(db.get(), "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
    // The file may come from anywhere: nothing in it may run code or redefine the tables.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    return ERROR_SUCCESS_STATUS;
}

Status ConfigureWriter(sqlite3* db) {
    // The journal stays beside the store after the last writer closes, so that readers without
    // the right to create files in the store's folder (the universal driver) can still read it.
    int persist = 1;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    return Execute(db, "PRAGMA synchronous = FULL; PRAGMA journal_size_limit = 0;");
}

}  // namespace

Status StatusOfSqlite(int result) {
    switch (result & 0xFF) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE:
            return ERROR_SUCCESS_STATUS;
        case SQLITE_PERM:
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_AUTH:
            return ERROR_ACCESS_DENIED_STATUS;
        case SQLITE_ERROR:  // a table or column missing: not our layout
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
        case SQLITE_FORMAT:
        case SQLITE_SCHEMA:
            return ERROR_BADDB_STATUS;
        case SQLITE_FULL:
            return ERROR_DISK_FULL_STATUS;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return ERROR_BUSY_STATUS;
        case SQLITE_NOMEM:
            return ERROR_OUTOFMEMORY_STATUS;
        case SQLITE_TOOBIG:
        case SQLITE_RANGE:
        case SQLITE_MISUSE:
            return ERROR_INVALID_PARAMETER_STATUS;
        default:
            return ERROR_REGISTRY_IO_FAILED_STATUS;
    }
}

Status Prepare(sqlite3* db, std::string_view sql, SqliteStatement& statement) {
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
    statement.reset(raw);
    if (result != SQLITE_OK) {
        statement.reset();
        return StatusOfSqlite(result);
    }
    return ERROR_SUCCESS_STATUS;
}

Status Execute(sqlite3* db, const char* sql) {
    return StatusOfSqlite(sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

namespace {

// `keep` is SQLITE_TRANSIENT (SQLite copies the bytes) or SQLITE_STATIC (it reads them in place).
void BindTextKept(sqlite3_stmt* statement, int index, std::string_view text,
                  sqlite3_destructor_type keep) {
    sqlite3_bind_text64(statement, index, text.empty() ? "" : text.data(), text.size(), keep,
                        SQLITE_UTF8);
}

void BindBlobKept(sqlite3_stmt* statement, int index, std::string_view bytes,
                  sqlite3_destructor_type keep) {
    sqlite3_bind_blob64(statement, index, bytes.empty() ? "" : bytes.data(), bytes.size(), keep);
}

}  // namespace

void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
    BindTextKept(statement, index, text, SQLITE_TRANSIENT);
}

void BindBlob(sqlite3_stmt* statement, int index, std::string_view bytes) {
    BindBlobKept(statement, index, bytes, SQLITE_TRANSIENT);
}

void BindTextInPlace(sqlite3_stmt* statement, int index, std::string_view text) {
    BindTextKept(statement, index, text, SQLITE_STATIC);
}

void BindBlobInPlace(sqlite3_stmt* statement, int index, std::string_view bytes) {
    BindBlobKept(statement, index, bytes, SQLITE_STATIC);
}

std::string_view ColumnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    const int bytes = sqlite3_column_bytes(statement, column);
    if (text == nullptr || bytes <= 0) {
        return {};
    }
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes)};
}

std::string_view ColumnBlob(sqlite3_stmt* statement, int column) {
    const void* blob = sqlite3_column_blob(statement, column);
    const int bytes = sqlite3_column_bytes(statement, column);
    if (blob == nullptr || bytes <= 0) {
        return {};
    }
    return {static_cast<const char*>(blob), static_cast<std::size_t>(bytes)};
}

Status ReadStoreSchema(const std::array<sqlite3_stmt*, 3>& queries, StoreSchema& schema) {
    std::array<std::int64_t, 3> values{};
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const StatementUse use(queries[i]);
        const int result = sqlite3_step(queries[i]);
        if (result != SQLITE_ROW) {
            return StatusOfSqlite(result == SQLITE_DONE ? SQLITE_CORRUPT : result);
        }
        values[i] = sqlite3_column_int64(queries[i], 0);
    }
    const auto [application, version, objects] = values;
    if (application == STORE_APPLICATION_ID && version == STORE_SCHEMA_VERSION) {
        schema = StoreSchema::Ours;
    } else if (application == 0 && version == 0 && objects == 0) {
        schema = StoreSchema::Empty;
    } else {
        schema = StoreSchema::Foreign;
    }
    return ERROR_SUCCESS_STATUS;
}

Status CheckStoreIntact(sqlite3* db) {
    SqliteStatement check;
    if (const Status status = Prepare(db, "PRAGMA quick_check(1)", check); status != 0) {
        return status;
    }
    const int result = sqlite3_step(check.get());
    if (result != SQLITE_ROW) {
        return StatusOfSqlite(result == SQLITE_DONE ? SQLITE_CORRUPT : result);
    }
    return ColumnText(check.get(), 0) == "ok" ? ERROR_SUCCESS_STATUS : ERROR_BADDB_STATUS;
}

Status CreateStoreSchema(sqlite3* db) {
    return Execute(db, SCHEMA_SQL);
}

Status UseWalJournal(sqlite3* db, sqlite3_stmt* mode) {
    {
        const StatementUse use(mode);
        const int result = sqlite3_step(mode);
        if (result != SQLITE_ROW) {
            return StatusOfSqlite(result);
        }
        const std::string_view current = ColumnText(mode, 0);
        if (current == "wal" || current == "memory") {
            return ERROR_SUCCESS_STATUS;
        }
    }
    return Execute(db, "PRAGMA journal_mode = WAL");
}

Status OpenStoreDatabase(const fs::path& path, bool create, SqliteDatabase& db, bool& writable) {
    db.reset();
    writable = false;
    if (IsMemoryPath(path)) {
        writable = true;
        return OpenWith(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, db);
    }

    // An absolute path is never taken for a URI or one of SQLite's special names.
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) {
        return ERROR_ACCESS_DENIED_STATUS;
    }
    const fs::file_status status = fs::status(path, error);
    int flags = 0;
    if (status.type() == fs::file_type::not_found) {
        if (!create) {
            return ERROR_FILE_NOT_FOUND_STATUS;
        }
        if (const fs::path folder = path.parent_path(); !folder.empty()) {
            fs::create_directories(folder, error);
            if (error) {
                return HasFileForAFolder(folder) ? ERROR_PATH_NOT_FOUND_STATUS
                                                 : ERROR_ACCESS_DENIED_STATUS;
            }
        }
        flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    } else if (error) {
        return ERROR_ACCESS_DENIED_STATUS;
    } else if (status.type() != fs::file_type::regular) {
        // A device or a FIFO would read as an empty store, or block the tool.
        return ERROR_NOT_REGISTRY_FILE_STATUS;
    } else if (const Status header = CheckStoreHeader(path); header != 0) {
        return header;
    } else {
        // A store without write permission is read-only even for root, like a file with the
        // read-only attribute.
        flags = HasNoWriteBit(status) ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    }

    if (const Status opened = OpenWith(Utf8FromPath(absolute).c_str(), flags, db); opened != 0) {
        return opened;
    }
    writable = sqlite3_db_readonly(db.get(), "main") == 0;
    if (writable) {
        return ConfigureWriter(db.get());
    }

    // A read-only WAL store needs its shared-memory file; where it cannot be created, a store
    // whose journal holds nothing can be read as a file nobody changes.
    const int readable = sqlite3_exec(db.get(), "PRAGMA schema_version", nullptr, nullptr, nullptr);
    const bool noSharedMemory = (readable & 0xFF) == SQLITE_CANTOPEN ||
                                readable == SQLITE_READONLY_DIRECTORY ||
                                readable == SQLITE_READONLY_CANTINIT;
    if (noSharedMemory && !HasWalContent(path)) {
        return OpenWith(ImmutableUri(path).c_str(), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, db);
    }
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
