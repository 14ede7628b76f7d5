// The query that docs/registry-store.md gives other programs must list the model entries as the
// tool writes them: it is read out of the document and run by SQLite itself.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "../support/temp_folder.h"
#include "base/win32_status.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

namespace fs = std::filesystem;

// The text between the lines "-- begin: <name>" and "-- end: <name>" of the document.
std::string DocumentedQuery(const std::string& name) {
    std::ifstream in(fs::path(PANTREL_SOURCE_DIR) / "docs" / "registry-store.md");
    std::string line;
    std::string query;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == "-- begin: " + name) {
            inside = true;
        } else if (line == "-- end: " + name) {
            return query;
        } else if (inside) {
            query += line + '\n';
        }
    }
    return {};
}

void Write(SqliteRegistryStore& store, const std::string& path,
           const std::vector<std::pair<std::string, std::string>>& entries) {
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store.CreateKey(path, KEY_READ_WRITE_ACCESS, key), 0);
    for (const auto& [name, data] : entries) {
        ASSERT_EQ(key->SetValue(name, REG_SZ_TYPE, data + '\0'), 0);
    }
    ASSERT_EQ(key->Close(), 0);
}

TEST(DocumentedQueryTest, ListsTheModelEntriesOfOneModelKeyInTheirOrder) {
    const std::string query = DocumentedQuery("model entries");
    ASSERT_FALSE(query.empty()) << "no query between the markers in docs/registry-store.md";

    const testing_support::TempFolder temporary{"pantrel-doc-"};
    ASSERT_FALSE(temporary.Path().empty());
    const fs::path& folder = temporary.Path();
    const fs::path file = folder / "registry.db";
    {
        SqliteRegistryStore store(file);
        const std::string root = "Software\\Tarvex\\Sterowniki2\\";
        const std::string cash = root + "Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}";
        Write(store, cash + "\\ModeleUni",
              {{"ABC-1|XYZ", "/spec/a.xml"}, {"Łódź 2|Gęś", "/ł.xml"}});
        // Written again under another spelling of the path: replaces, keeps the first place.
        Write(store,
              "SOFTWARE\\tarvex\\STEROWNIKI2\\kasy FISKALNE\\{fed75241-388c-11D9-aae0-"
              "000c2963bed9}\\modeleuni",
              {{"abc-1|xyz", "/spec/b.xml"}, {"Zet|Producent", "/z.xml"}});
        Write(store, cash, {{"Wersja", "0.3.0"}});
        Write(store, root + "Drukarki fiskalne\\{FFB4E470-388C-11d9-AAE0-000C2963BED9}\\ModeleUni",
              {{"Inna|Firma", "/d.xml"}});
    }

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.string().c_str(), &raw, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, sqlite3_close);
    sqlite3_stmt* rawStatement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.get(), query.c_str(), -1, &rawStatement, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db.get());
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(rawStatement,
                                                                               sqlite3_finalize);
    ASSERT_EQ(sqlite3_column_count(statement.get()), 2);
    std::vector<std::pair<std::string, std::string>> rows;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const auto text = [&](int column) {
            const unsigned char* value = sqlite3_column_text(statement.get(), column);
            return std::string(
                value != nullptr ? reinterpret_cast<const char*>(value) : "",
                static_cast<std::size_t>(sqlite3_column_bytes(statement.get(), column)));
        };
        rows.emplace_back(text(0), text(1));
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"ABC-1|XYZ", "/spec/b.xml"}, {"Łódź 2|Gęś", "/ł.xml"}, {"Zet|Producent", "/z.xml"}};
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace pantrel
