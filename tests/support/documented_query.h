// The model entries query as the store documentation writes it.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "registry/registry_key.h"
#include "registry/sqlite_store.h"

namespace pantrel::testing_support {

struct ModelEntry {
    std::string name;
    std::string data;
    bool operator==(const ModelEntry&) const = default;
};

// The model-entries query of docs/registry-store.md, with the model key as parameter ?1.
inline std::string DocumentedModelEntriesQuery() {
    std::ifstream in(std::filesystem::path{PANTREL_SOURCE_DIR} / "docs" / "registry-store.md");
    std::string query;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == "-- begin: model entries") {
            inside = true;
        } else if (line == "-- end: model entries") {
            break;
        } else if (inside) {
            query += line + '\n';
        }
    }
    // The documented query names the cash registers' model key; ask for the one wanted.
    const std::string documented =
        "'Software\\Tarvex\\Sterowniki2\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}"
        "\\ModeleUni'";
    const std::size_t at = query.find(documented);
    if (at == std::string::npos) {
        return {};
    }
    return query.replace(at, documented.size(), "?1");
}

// What the universal driver would see in one model key, read with the documented query through
// SQLite itself, not through the tool's store.
inline std::vector<ModelEntry> DocumentedModelEntries(const std::filesystem::path& store,
                                                      const std::string& modelKeyPath) {
    std::vector<ModelEntry> entries;
    if (!std::filesystem::exists(store)) {
        return entries;
    }
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(store.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(raw);
        return entries;
    }
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, sqlite3_close);
    const std::string query = DocumentedModelEntriesQuery();
    sqlite3_stmt* rawStatement = nullptr;
    if (query.empty() ||
        sqlite3_prepare_v2(db.get(), query.c_str(), -1, &rawStatement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "the documented query does not run: " << query;
        return entries;
    }
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(rawStatement,
                                                                               sqlite3_finalize);
    sqlite3_bind_text(statement.get(), 1, modelKeyPath.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const auto text = [&statement](int column) {
            const unsigned char* value = sqlite3_column_text(statement.get(), column);
            return value != nullptr ? std::string{reinterpret_cast<const char*>(value)}
                                    : std::string{};
        };
        entries.push_back({text(0), text(1)});
    }
    return entries;
}

// The text of one string value, read through the tool's store; empty when it is not there.
inline std::string StoredValue(const std::filesystem::path& store, const std::string& keyPath,
                               const std::string& valueName) {
    SqliteRegistryStore hive{store};
    RegistryKey key;
    std::string text;
    if (key.Open(hive, keyPath, KEY_READ_ACCESS) == ERROR_SUCCESS_STATUS) {
        key.QueryText(valueName, text, 1024);
    }
    return text;
}

inline bool KeyExists(const std::filesystem::path& store, const std::string& keyPath) {
    SqliteRegistryStore hive{store};
    RegistryKey key;
    return key.Open(hive, keyPath, KEY_READ_ACCESS) == ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel::testing_support
