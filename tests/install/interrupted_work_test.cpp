// An install or uninstall ended after any of its writes, on a store that keeps every value
// written (as the registry does), is finished by the next run: the store then equals the one a
// whole run leaves. A record the next run cannot finish is told once and dropped or kept.

#include "install/interrupted_work.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/hooked_store.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"
#include "install/specification_install.h"
#include "registry/sqlite_store.h"
#include "registry/work_journal.h"

namespace pantrel {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// Thrown by a hook to end a run between two writes; its keys close on the way out, so the store
// keeps what was written, as the registry keeps it when the process is killed.
struct RunEnded {};

class CollectingSink final : public MessageSink {
public:
    CollectingSink() = default;
    // Notes also whether a key of `watched` was open for writing when a message came: a box
    // shown then would keep the registry's other writers waiting.
    explicit CollectingSink(const HookedStore& watched) : watched_(&watched) {}
    void ShowError(const std::string& text) override {
        messages.push_back(text);
        if (watched_ != nullptr && watched_->OpenWriteKeys() != 0) {
            shownWhileWriting = true;
        }
    }
    std::vector<std::string> messages;
    bool shownWhileWriting = false;

private:
    const HookedStore* watched_ = nullptr;
};

// Every key under Software\Tarvex and every value in it, as sorted lines.
void DumpKey(RegistryStore& hive, const std::string& path, std::vector<std::string>& lines) {
    RegistryKey key;
    if (key.Open(hive, path, KEY_READ_ACCESS) != ERROR_SUCCESS_STATUS) {
        return;
    }
    lines.push_back("[" + path + "]");
    std::string name;
    std::string data;
    for (std::uint32_t i = 0; key.Get().EnumValue(i, name, 1000, &data, 100000) == 0; ++i) {
        lines.push_back(path + " " + name + "=" + data);
    }
    std::vector<std::string> subkeys;
    for (std::uint32_t i = 0; key.Get().EnumSubKey(i, name) == 0; ++i) {
        subkeys.push_back(name);
    }
    key.Close();
    for (const std::string& subkey : subkeys) {
        DumpKey(hive, path + "\\" + subkey, lines);
    }
}

// The tool's key is left behind by the first writer, empty, and is not compared.
std::vector<std::string> Dump(const fs::path& store) {
    SqliteRegistryStore hive{store};
    std::vector<std::string> lines;
    DumpKey(hive, "Software\\Tarvex", lines);
    std::erase(lines, "[Software\\Tarvex]");
    std::string toolKey = "[";
    toolKey += TOOL_KEY;
    toolKey += ']';
    std::erase(lines, toolKey);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Copies a store file (a store no operation has written yet has none); the copy's old SQLite
// journal files go with it.
void CopyStore(const fs::path& from, const fs::path& to) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::remove(to.string() + suffix);
    }
    if (fs::exists(from)) {
        fs::copy_file(from, to);
    }
}

enum class Operation { Install, Uninstall };

bool RunOperation(RegistryStore& hive, Operation operation, const std::string& path,
                  MessageSink& sink) {
    const RegistrationResult result = operation == Operation::Install
                                          ? InstallSpecification(hive, path, sink)
                                          : UninstallSpecification(hive, path, sink);
    return result.Succeeded();
}

class InterruptedWorkTest : public testing::Test {
protected:
    InterruptedWorkTest() {
        std::vector<DriverOfFile> earlier;
        std::vector<DriverOfFile> later;
        for (const auto& [typ, producer] : kDrivers) {
            earlier.push_back({typ, producer, {"Old"}});
            later.push_back({typ, producer, {"M-1", "M-2", "M-3"}});
        }
        WriteSpecification(File("earlier.xml"), earlier);
        WriteSpecification(File("later.xml"), later);
    }

    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    fs::path Store(const std::string& name) const { return folder_ / name; }

    // Runs the operations in order on the store, each whole, as the registry would record them.
    void RunWhole(const fs::path& store, std::vector<std::pair<Operation, std::string>> runs) {
        SqliteRegistryStore file{store};
        HookedStore hive{file, RegistryHooks()};
        CollectingSink sink;
        for (const auto& [operation, path] : runs) {
            EXPECT_TRUE(RunOperation(hive, operation, File(path), sink)) << path;
        }
        EXPECT_TRUE(sink.messages.empty());
    }

    // Runs the operation on a copy of `before` and ends it after its `n`-th write of a value; true
    // when it ended there, false when it was done before.
    bool RunEndedAfter(const fs::path& before, const fs::path& store, Operation operation,
                       const std::string& path, int n) {
        CopyStore(before, store);
        int writes = 0;
        StoreHooks hooks = RegistryHooks();
        hooks.afterSetValue = hooks.afterDeleteValue = [&] {
            if (++writes == n) {
                throw RunEnded{};
            }
        };
        SqliteRegistryStore file{store};
        HookedStore hive{file, hooks};
        CollectingSink sink;
        try {
            EXPECT_TRUE(RunOperation(hive, operation, File(path), sink));
        } catch (const RunEnded&) {
            return true;
        }
        return false;
    }

    // A SQLite store that records its work as the registry must.
    static StoreHooks RegistryHooks() {
        StoreHooks hooks;
        hooks.keepsWriteSpansWhole = false;
        return hooks;
    }

    static constexpr std::array<std::pair<const char*, const char*>, 3> kDrivers = {{
        {"Kasa fiskalna", "Kasomat"},
        {"Waga etykietująca", "Wagex"},
        {"Drukarka fiskalna", "Fiskator"},
    }};

    TempFolder folder_;
};

// The next run finishes the work whether it only reads (-list, the window) or writes itself.
enum class NextRun { Reader, Writer };

TEST_F(InterruptedWorkTest, RunEndedAfterAnyWriteIsFinishedByTheNextRun) {
    struct Case {
        const char* name;
        std::vector<std::pair<Operation, std::string>> before;
        Operation operation;
        NextRun next;
    };
    const std::vector<Case> cases = {
        {"install over earlier versions",
         {{Operation::Install, "earlier.xml"}},
         Operation::Install,
         NextRun::Reader},
        {"install into an empty store", {}, Operation::Install, NextRun::Reader},
        {"install, then another install",
         {{Operation::Install, "earlier.xml"}},
         Operation::Install,
         NextRun::Writer},
        {"uninstall",
         {{Operation::Install, "earlier.xml"}, {Operation::Install, "later.xml"}},
         Operation::Uninstall,
         NextRun::Reader},
        {"uninstall of the last models",
         {{Operation::Install, "later.xml"}},
         Operation::Uninstall,
         NextRun::Writer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path before = Store(std::string{"before-"} + c.name + ".db");
        RunWhole(before, c.before);
        // What the run leaves when whole, and what the next run's own work adds to it.
        const fs::path whole = Store("whole.db");
        CopyStore(before, whole);
        RunWhole(whole, {{c.operation, "later.xml"}});
        if (c.next == NextRun::Writer) {
            RunWhole(whole, {{Operation::Install, "earlier.xml"}});
        }
        const std::vector<std::string> expected = Dump(whole);

        const fs::path store = Store("ended.db");
        int n = 1;
        for (; RunEndedAfter(before, store, c.operation, "later.xml", n); ++n) {
            SqliteRegistryStore file{store};
            HookedStore hive{file, RegistryHooks()};
            ASSERT_TRUE(HasRecordedWork(hive)) << "nothing recorded, write " << n;
            CollectingSink sink;
            if (c.next == NextRun::Reader) {
                EXPECT_TRUE(FinishInterruptedWork(hive, sink)) << "write " << n;
            } else {
                EXPECT_TRUE(InstallSpecification(hive, File("earlier.xml"), sink).Succeeded()) << n;
            }
            EXPECT_TRUE(sink.messages.empty()) << "write " << n;
            EXPECT_FALSE(HasRecordedWork(hive)) << "write " << n;
            const std::vector<std::string> after = Dump(store);
            // Ended while its record was still being written, the run had changed no model.
            if (after != expected) {
                fs::path untouched = Store("untouched.db");
                CopyStore(before, untouched);
                if (c.next == NextRun::Writer) {
                    RunWhole(untouched, {{Operation::Install, "earlier.xml"}});
                }
                EXPECT_EQ(after, Dump(untouched)) << "write " << n;
                EXPECT_LE(n, 4) << "a complete record was not finished, write " << n;
            }
        }
        EXPECT_GT(n, 10) << "the run wrote too little to be ended at many points";
    }
}

TEST_F(InterruptedWorkTest, RecordThatCannotBeFinishedIsToldOnce) {
    struct Case {
        const char* name;
        bool fileGone;
        bool refuseWrites;
        const char* refusedValue;  // refused at every run, as a name too long for the registry
        const char* told;
        bool kept;
    };
    const std::vector<Case> cases = {
        {"file gone", true, false, nullptr, "plik już nie istnieje", false},
        {"store refuses writes", false, true, nullptr, "przy następnym uruchomieniu", true},
        {"one value refused for good", false, false, "K-2|Kasomat",
         "rejestr nie przyjął części wpisów", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path before = Store("before.db");
        fs::remove(before);
        const fs::path store = Store("ended.db");
        WriteSpecification(File("gone.xml"), {{"Kasa fiskalna", "Kasomat", {"K-1", "K-2"}}});
        ASSERT_TRUE(RunEndedAfter(before, store, Operation::Install, "gone.xml", 3));
        if (c.fileGone) {
            fs::remove(File("gone.xml"));
        }
        SqliteRegistryStore file{store};
        StoreHooks hooks = RegistryHooks();
        hooks.refuseWrites = c.refuseWrites;
        if (c.refusedValue != nullptr) {
            hooks.refuseWrite = [&c](std::string_view name) -> Status {
                return name == c.refusedValue ? ERROR_INVALID_PARAMETER_STATUS
                                              : ERROR_SUCCESS_STATUS;
            };
        }
        HookedStore hive{file, hooks};
        CollectingSink sink{hive};
        EXPECT_EQ(FinishInterruptedWork(hive, sink), !c.kept);
        EXPECT_FALSE(sink.shownWhileWriting);
        ASSERT_EQ(sink.messages.size(), 1U);
        EXPECT_NE(sink.messages[0].find(c.told), std::string::npos) << sink.messages[0];
        EXPECT_NE(sink.messages[0].find("nstalac"), std::string::npos) << sink.messages[0];
        EXPECT_NE(sink.messages[0].find(" pliku '" + File("gone.xml")), std::string::npos)
            << sink.messages[0];
        EXPECT_EQ(HasRecordedWork(hive), c.kept);
    }
}

// A record the store will not let be read or dropped stays for a later run, and the run says so:
// taking it for an unfinished record and dropping it would lose the killed run's work for good.
TEST_F(InterruptedWorkTest, RecordTheStoreWillNotReadOrDropIsKeptAndTold) {
    struct Case {
        const char* name;
        int endedAfterWrite;  // 1: only the file named, the record incomplete
        std::string_view refusedRead;
        std::string_view refusedWrite;
        const char* told;
    };
    const std::vector<Case> cases = {
        {"operation unreadable", 3, WORK_OPERATION_VALUE, {}, "Nie można odczytać zapisu"},
        {"file unreadable", 3, WORK_FILE_VALUE, {}, "Nie można odczytać zapisu"},
        {"incomplete record not removable", 1, {}, WORK_RECORD_SUBKEY, "Nie można usunąć"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path before = Store("before.db");
        fs::remove(before);
        const fs::path store = Store("ended.db");
        ASSERT_TRUE(
            RunEndedAfter(before, store, Operation::Install, "later.xml", c.endedAfterWrite));
        SqliteRegistryStore file{store};
        StoreHooks hooks = RegistryHooks();
        const auto refuse = [](std::string_view refused) {
            return [refused](std::string_view name) -> Status {
                return name == refused ? ERROR_ACCESS_DENIED_STATUS : ERROR_SUCCESS_STATUS;
            };
        };
        hooks.refuseRead = refuse(c.refusedRead);
        hooks.refuseWrite = refuse(c.refusedWrite);
        HookedStore hive{file, hooks};
        CollectingSink sink{hive};
        EXPECT_FALSE(FinishInterruptedWork(hive, sink));
        ASSERT_EQ(sink.messages.size(), 1U);
        EXPECT_NE(sink.messages[0].find(c.told), std::string::npos) << sink.messages[0];
        EXPECT_TRUE(HasRecordedWork(hive));
        // An install now stops before it writes rather than record its own work over the other.
        EXPECT_EQ(InstallSpecification(hive, File("earlier.xml"), sink).outcome,
                  RegistrationOutcome::WorkLeftOver);
        EXPECT_EQ(sink.messages.size(), 2U);
        EXPECT_FALSE(sink.shownWhileWriting);
    }
}

TEST_F(InterruptedWorkTest, StoreThatKeepsWriteSpansWholeRecordsNothing) {
    SqliteRegistryStore file{Store("sqlite.db")};
    int writes = 0;
    StoreHooks hooks;
    hooks.afterSetValue = [&] { ++writes; };
    HookedStore hive{file, hooks};
    CollectingSink sink;
    ASSERT_TRUE(InstallSpecification(hive, File("later.xml"), sink).Succeeded());
    // Three models and a version per kind, nothing else.
    EXPECT_EQ(writes, 12);
    RegistryKey tool;
    EXPECT_EQ(tool.Open(file, TOOL_KEY, KEY_READ_ACCESS), ERROR_FILE_NOT_FOUND_STATUS);
}

}  // namespace
}  // namespace pantrel
