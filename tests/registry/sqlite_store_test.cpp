// What only the SQLite store promises: its file, its transactions counted, its behaviour on
// files it did not write and on failures of the disk.
#include "registry/sqlite_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/win32_status.h"

namespace pantrel {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t RW = KEY_READ_WRITE_ACCESS;
constexpr std::uint32_t RO = KEY_READ_ACCESS;

std::string Sz(const std::string& text) {
    return text + '\0';
}

// `prefix` followed by the number (appended: GCC 12 misreads "x" + std::string as overlapping).
std::string Numbered(std::string prefix, int number) {
    prefix += std::to_string(number);
    return prefix;
}

class Folder {
public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "pantrel-sqlite-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~Folder() {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    fs::path operator/(const std::string& name) const { return path_ / name; }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Runs SQL on the file directly, as another program would.
void RawExecute(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closer(db, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
}

std::vector<std::string> RawColumn(const fs::path& file, const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closer(db, sqlite3_close);
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int, char** values, char**) {
            static_cast<std::vector<std::string>*>(out)->emplace_back(values[0] ? values[0] : "");
            return 0;
        },
        &rows, nullptr);
    return rows;
}

void Put(const fs::path& file, const std::string& path, int values) {
    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store.CreateKey(path, RW, key), 0);
    for (int i = 0; i < values; ++i) {
        ASSERT_EQ(key->SetValue("Model " + std::to_string(i) + "|Producent", REG_SZ_TYPE,
                                Sz("/usr/share/pantrel/specification-" + std::to_string(i))),
                  0);
    }
    ASSERT_EQ(key->Close(), 0);
}

// A store of `values` models under Software\\Models, of more than `pages` pages of 4 KiB, whose
// bytes `damage` then changes on the disk.
void PutAndDamage(const fs::path& file, int values, std::size_t pages,
                  const std::function<void(std::string&)>& damage) {
    Put(file, "Software\\Models", values);
    std::string bytes = Bytes(file);
    ASSERT_GT(bytes.size(), pages * 4096U);
    damage(bytes);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs `body` in a child process and answers its exit code (-1 when it did not end normally).
int InChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status)
                                                                           : -1;
}

TEST(SqliteStoreTest, EverythingWrittenThroughWriteHandlesIsOneCommit) {
    Folder folder;
    SqliteRegistryStore store(folder / "registry.db");
    std::unique_ptr<StoreKey> models;
    std::unique_ptr<StoreKey> driver;
    ASSERT_EQ(store.CreateKey("Driver\\ModeleUni", RW, models), 0);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(models->SetValue(Numbered("M", i) + "|P", REG_SZ_TYPE, Sz("/a")), 0);
    }
    ASSERT_EQ(store.OpenKey("Driver", RW, driver), 0);
    ASSERT_EQ(driver->SetValue("Wersja", REG_SZ_TYPE, Sz("0.1.0")), 0);
    ASSERT_EQ(driver->Close(), 0);
    EXPECT_EQ(store.CommitCount(), 0U);
    ASSERT_EQ(models->Close(), 0);
    EXPECT_EQ(store.CommitCount(), 1U);

    // Reading commits nothing; a key created for reading only is committed at once.
    ASSERT_EQ(store.OpenKey("Driver\\ModeleUni", RO, models), 0);
    ASSERT_EQ(models->Close(), 0);
    EXPECT_EQ(store.CommitCount(), 1U);
    ASSERT_EQ(store.CreateKey("Other", RO, models), 0);
    EXPECT_EQ(store.CommitCount(), 2U);
    SqliteRegistryStore other(folder / "registry.db");
    EXPECT_EQ(other.OpenKey("Other", RO, driver), 0);
}

// A new value takes its key's highest place plus one, however the writes of a span mix keys,
// handles, replacements and deletions, and whether the key was written before.
TEST(SqliteStoreTest, ANewValueTakesTheHighestPlaceOfItsKeyPlusOne) {
    Folder folder;
    const fs::path file = folder / "registry.db";
    Put(file, "A", 2);  // places 1 and 2
    {
        SqliteRegistryStore store(file);
        std::unique_ptr<StoreKey> a;
        std::unique_ptr<StoreKey> b;
        std::unique_ptr<StoreKey> again;
        ASSERT_EQ(store.OpenKey("A", RW, a), 0);
        ASSERT_EQ(store.CreateKey("B", RW, b), 0);
        ASSERT_EQ(a->SetValue("x", REG_SZ_TYPE, Sz("3")), 0);
        ASSERT_EQ(b->SetValue("y", REG_SZ_TYPE, Sz("1")), 0);
        ASSERT_EQ(a->SetValue("X", REG_SZ_TYPE, Sz("3 replaced")), 0);  // keeps place 3
        ASSERT_EQ(a->SetValue("z", REG_SZ_TYPE, Sz("4")), 0);
        ASSERT_EQ(a->DeleteValue("z"), 0);
        ASSERT_EQ(a->SetValue("w", REG_SZ_TYPE, Sz("4 again")), 0);
        ASSERT_EQ(store.OpenKey("A", RW, again), 0);  // a second handle on the same key
        ASSERT_EQ(again->SetValue("v", REG_SZ_TYPE, Sz("5")), 0);
        ASSERT_EQ(a->SetValue("u", REG_SZ_TYPE, Sz("6")), 0);
        ASSERT_EQ(b->SetValue("t", REG_SZ_TYPE, Sz("2")), 0);
        ASSERT_EQ(again->Close(), 0);
        ASSERT_EQ(b->Close(), 0);
        ASSERT_EQ(a->Close(), 0);
    }
    Put(file, "B", 0);
    {
        SqliteRegistryStore store(file);
        std::unique_ptr<StoreKey> b;
        ASSERT_EQ(store.OpenKey("B", RW, b), 0);
        ASSERT_EQ(b->SetValue("s", REG_SZ_TYPE, Sz("3")), 0);  // after a span of its own
        ASSERT_EQ(b->Close(), 0);
    }
    const std::string places =
        "SELECT k.path || ':' || v.name || '=' || v.seq || '=' || CAST(v.data AS TEXT) "
        "FROM store_value AS v JOIN store_key AS k ON k.id = v.key ORDER BY k.path, v.seq";
    const std::vector<std::string> expected = {
        "A:Model 0|Producent=1=/usr/share/pantrel/specification-0",
        "A:Model 1|Producent=2=/usr/share/pantrel/specification-1",
        "A:x=3=3 replaced",
        "A:w=4=4 again",
        "A:v=5=5",
        "A:u=6=6",
        "B:y=1=1",
        "B:t=2=2",
        "B:s=3=3",
    };
    EXPECT_EQ(RawColumn(file, places), expected);
}

TEST(SqliteStoreTest, TheStoreAndItsFolderComeIntoBeingWithTheFirstKey) {
    Folder folder;
    const fs::path file = folder / "var" / "lib" / "pantrel" / "registry.db";
    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store.OpenKey("Software", RO, key), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_FALSE(fs::exists(folder / "var"));
    ASSERT_EQ(store.CreateKey("Software", RO, key), 0);
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(RawColumn(file, "PRAGMA journal_mode"), std::vector<std::string>{"wal"});
}

TEST(SqliteStoreTest, KeysKeepTheSpellingOfTheirFirstCreation) {
    Folder folder;
    const fs::path file = folder / "registry.db";
    Put(file, "Software\\ŁÓDŹ", 0);
    Put(file, "SOFTWARE\\łódź\\Kasy", 0);
    EXPECT_EQ(RawColumn(file, "SELECT path FROM store_key ORDER BY id"),
              (std::vector<std::string>{"Software", "Software\\ŁÓDŹ", "Software\\ŁÓDŹ\\Kasy"}));
}

TEST(SqliteStoreTest, AKeyMayOutliveItsStoreObject) {
    Folder folder;
    std::unique_ptr<StoreKey> key;
    {
        SqliteRegistryStore store(folder / "registry.db");
        ASSERT_EQ(store.CreateKey("Software", RW, key), 0);
    }
    ASSERT_EQ(key->SetValue("A|B", REG_SZ_TYPE, Sz("/a.xml")), 0);
    ASSERT_EQ(key->Close(), 0);
    EXPECT_EQ(RawColumn(folder / "registry.db", "SELECT name FROM store_value"),
              std::vector<std::string>{"A|B"});
}

TEST(SqliteStoreTest, AMemoryStoreWorksLikeAFile) {
    SqliteRegistryStore store(":memory:");
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store.OpenKey("Software", RO, key), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(store.CreateKey("Software\\Tarvex", RW, key), 0);
    ASSERT_EQ(key->SetValue("A|B", REG_SZ_TYPE, Sz("/a.xml")), 0);
    ASSERT_EQ(key->Close(), 0);
    ASSERT_EQ(store.OpenKey("software\\tarvex", RO, key), 0);
    std::string name;
    EXPECT_EQ(key->EnumValue(0, name, 260, nullptr, 0), 0);
    EXPECT_EQ(name, "A|B");
    EXPECT_FALSE(fs::exists(":memory:"));
}

TEST(SqliteStoreTest, TheDefaultStoreIsNamedByTheEnvironment) {
    const char* saved = std::getenv("PANTREL_REGISTRY");
    const std::string before = saved != nullptr ? saved : "";
    setenv("PANTREL_REGISTRY", "/tmp/elsewhere/registry.db", 1);
    EXPECT_EQ(DefaultStorePath(), fs::path("/tmp/elsewhere/registry.db"));
    setenv("PANTREL_REGISTRY", "", 1);
    EXPECT_EQ(DefaultStorePath(), fs::path("/var/lib/pantrel/registry.db"));
    unsetenv("PANTREL_REGISTRY");
    EXPECT_EQ(DefaultStorePath(), fs::path("/var/lib/pantrel/registry.db"));
    if (saved != nullptr) {
        setenv("PANTREL_REGISTRY", before.c_str(), 1);
    }
}

TEST(SqliteStoreTest, FilesThatAreNoStoreOfOursAreRefusedUnchanged) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        bool keepsBytes;
        Status refusal = ERROR_BADDB_STATUS;
    };
    const std::vector<Case> cases = {
        // SQLite alone would take a file shorter than its header for an empty database.
        {"one byte", [](const fs::path& file) { std::ofstream(file) << "x"; }, true},
        {"named pipe", [](const fs::path& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); },
         false, ERROR_NOT_REGISTRY_FILE_STATUS},
        {"link to a device", [](const fs::path& file) { fs::create_symlink("/dev/null", file); },
         false, ERROR_NOT_REGISTRY_FILE_STATUS},
        {"text file",
         [](const fs::path& file) {
             std::ofstream out(file);
             for (int i = 0; i < 500; ++i) {
                 out << "to nie jest rejestr\n";
             }
         },
         true},
        {"foreign database",
         [](const fs::path& file) {
             RawExecute(file,
                        "CREATE TABLE klienci (nazwa TEXT); INSERT INTO klienci VALUES ('x')");
         },
         true},
        {"store of a newer layout",
         [](const fs::path& file) {
             Put(file, "Software", 3);
             RawExecute(file, "PRAGMA user_version = 2");
         },
         false},
        {"store with its values table gone",
         [](const fs::path& file) {
             Put(file, "Software", 3);
             RawExecute(file, "DROP TABLE store_value");
         },
         false},
    };
    for (const Case& c : cases) {
        Folder folder;
        const fs::path file = folder / "registry.db";
        c.make(file);
        const std::string before = c.keepsBytes ? Bytes(file) : "";  // a pipe would block
        SqliteRegistryStore store(file);
        std::unique_ptr<StoreKey> key;
        std::string name;
        Status read = store.OpenKey("Software", RO, key);
        if (read == 0) {
            std::uint32_t type = 0;
            std::string data;
            std::size_t size = 0;
            EXPECT_EQ(key->QueryValue("A|B", type, data, 520, size), ERROR_BADDB_STATUS) << c.what;
            read = key->EnumValue(0, name, 260, nullptr, 0);
            key.reset();
        }
        EXPECT_EQ(read, c.refusal) << c.what;
        Status written = store.CreateKey("Software", RW, key);
        if (written == 0) {
            EXPECT_EQ(key->DeleteValue("A|B"), ERROR_BADDB_STATUS) << c.what;
            written = key->SetValue("A|B", REG_SZ_TYPE, Sz("/a.xml"));
        }
        EXPECT_EQ(written, c.refusal) << c.what;
        key.reset();
        if (c.keepsBytes) {
            EXPECT_EQ(Bytes(file), before) << c.what;
        }
    }
    // An empty file holds nothing to lose: it is an empty store, and the first key makes it one.
    Folder folder;
    const fs::path empty = folder / "registry.db";
    std::ofstream{empty};
    SqliteRegistryStore store(empty);
    std::unique_ptr<StoreKey> key;
    EXPECT_EQ(store.OpenKey("Software", RO, key), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(store.CreateKey("Software", RW, key), 0);
    EXPECT_EQ(key->Close(), 0);
}

// A page the write itself would never visit is damaged: the write is refused all the same, as a
// listing would refuse the store, and nothing is written into it.
TEST(SqliteStoreTest, AStoreDamagedWhereAWriteDoesNotReachIsNotWritten) {
    Folder folder;
    const fs::path file = folder / "registry.db";
    PutAndDamage(file, 600, 9,
                 [](std::string& bytes) { std::fill_n(bytes.begin() + 8 * 4096, 4096, '\0'); });

    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    Status written = store.CreateKey("Software\\Other", RW, key);
    if (written == 0) {
        written = key->SetValue("A|B", REG_SZ_TYPE, Sz("/a.xml"));
        const Status closed = key->Close();
        written = written != 0 ? written : closed;
    }
    EXPECT_EQ(written, ERROR_BADDB_STATUS);
    SqliteRegistryStore reader(file);
    EXPECT_EQ(reader.OpenKey("Software\\Other", RO, key), ERROR_FILE_NOT_FOUND_STATUS);
}

TEST(SqliteStoreTest, ACorruptedStoreAnswersAnErrorInsteadOfCrashing) {
    Folder folder;
    const fs::path file = folder / "registry.db";
    PutAndDamage(file, 3000, 16, [](std::string& bytes) {
        for (std::size_t i = 2 * 4096; i < bytes.size(); i += 7) {
            bytes[i] = static_cast<char>(i * 131);
        }
    });

    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    Status status = store.OpenKey("Software\\Models", RO, key);
    std::uint32_t listed = 0;
    std::string name;
    std::string data;
    while (status == 0) {
        status = key->EnumValue(listed, name, 260, &data, 520);
        listed += status == 0 ? 1 : 0;
    }
    EXPECT_NE(status, ERROR_NO_MORE_ITEMS_STATUS) << "listed " << listed << " of 3000";
}

TEST(SqliteStoreTest, AFailedCommitKeepsNothingAndSaysSo) {
    Folder folder;
    const fs::path file = folder / "registry.db";
    Put(file, "Kept", 1);
    // The child runs out of file size just when it commits: its whole transaction is lost.
    const int child = InChild([&file] {
        signal(SIGXFSZ, SIG_IGN);
        SqliteRegistryStore store(file);
        std::unique_ptr<StoreKey> lost;
        std::unique_ptr<StoreKey> kept;
        if (store.CreateKey("Lost", RW, lost) != 0 || store.OpenKey("Kept", RW, kept) != 0) {
            return 10;
        }
        for (int i = 0; i < 20; ++i) {
            if (lost->SetValue(Numbered("M", i), REG_SZ_TYPE, Sz("/a")) != 0) {
                return 11;
            }
        }
        if (kept->SetValue("Model 0|Producent", REG_SZ_TYPE, Sz("changed")) != 0 ||
            kept->Close() != 0) {
            return 12;
        }
        const rlimit limit{512, 512};
        setrlimit(RLIMIT_FSIZE, &limit);
        return lost->Close() != 0 ? 0 : 13;
    });
    ASSERT_EQ(child, 0);

    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    EXPECT_EQ(store.OpenKey("Lost", RO, key), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(store.OpenKey("Kept", RO, key), 0);
    std::uint32_t type = 0;
    std::string data;
    std::size_t size = 0;
    ASSERT_EQ(key->QueryValue("Model 0|Producent", type, data, 520, size), 0);
    EXPECT_EQ(data, Sz("/usr/share/pantrel/specification-0"));
}

TEST(SqliteStoreTest, AWriteThatFailsMidwayFailsTheWholeTransaction) {
    Folder folder;
    const fs::path file = folder / "registry.db";
    Put(file, "Kept", 1);
    // The disk runs full while the child writes more than the page cache holds; whatever SQLite
    // does with the transaction then, nothing written after it may slip into the store on its
    // own, and the commit must say the transaction failed.
    const int child = InChild([&file] {
        signal(SIGXFSZ, SIG_IGN);
        SqliteRegistryStore store(file);
        std::unique_ptr<StoreKey> key;
        if (store.CreateKey("Lost", RW, key) != 0) {
            return 10;
        }
        rlimit limit{512, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string big(1024 * 1024, 'd');
        bool failed = false;
        for (int i = 0; i < 80 && !failed; ++i) {
            failed = key->SetValue("Big " + std::to_string(i), REG_BINARY_TYPE, big) != 0;
        }
        if (!failed) {
            return 11;
        }
        limit.rlim_cur = RLIM_INFINITY;
        setrlimit(RLIMIT_FSIZE, &limit);
        key->SetValue("After|P", REG_SZ_TYPE, Sz("/a"));
        return key->Close() != 0 ? 0 : 12;
    });
    ASSERT_EQ(child, 0);
    EXPECT_EQ(RawColumn(file, "SELECT count(*) FROM store_value"), std::vector<std::string>{"1"});
    EXPECT_EQ(RawColumn(file, "SELECT path FROM store_key"), std::vector<std::string>{"Kept"});
}

TEST(SqliteStoreTest, AReadOnlyStoreIsReadInAFolderItsReaderMayNotWrite) {
    // The universal driver reads the store as a user who may write neither the file nor its
    // folder, with or without the journal files that the last writer left behind.
    for (const bool journalLeft : {true, false}) {
        Folder folder;
        const fs::path locked = folder / "locked";
        const fs::path file = locked / "registry.db";
        Put(file, "Software", 2);
        if (!journalLeft) {
            fs::remove(file.string() + "-wal");
            fs::remove(file.string() + "-shm");
        }
        fs::permissions(folder.Path(), fs::perms::others_read | fs::perms::others_exec,
                        fs::perm_options::add);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(file, fs::perms::owner_read | fs::perms::others_read);
        const int child = InChild([&file] {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
                return 20;
            }
            SqliteRegistryStore store(file);
            std::unique_ptr<StoreKey> key;
            if (const Status status = store.OpenKey("Software", RO, key); status != 0) {
                return status == ERROR_ACCESS_DENIED_STATUS ? 21 : 22;
            }
            std::string name;
            if (key->EnumValue(1, name, 260, nullptr, 0) != 0 || name != "Model 1|Producent") {
                return 23;
            }
            return store.CreateKey("Software", RW, key) == ERROR_ACCESS_DENIED_STATUS ? 0 : 24;
        });
        EXPECT_EQ(child, 0) << (journalLeft ? "with" : "without") << " journal files";
    }
}

}  // namespace
}  // namespace pantrel
