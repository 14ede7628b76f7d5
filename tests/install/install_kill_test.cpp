// An install killed with SIGKILL at any point leaves a store that opens, in which each kind is
// all or nothing: all of the file's models with the driver's version raised, or the kind as it
// was before.

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "../support/hooked_store.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"
#include "install/specification_install.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// ---- A file system that ends the process at its n-th write or sync -----------------------------
//
// Registered in the child only, as SQLite's default, so that the kill falls inside a commit:
// between the frames written to the journal, or before they reach the disk.

sqlite3_vfs* g_realVfs = nullptr;
int g_writesLeft = 0;

struct KillingFile {
    sqlite3_file base;  // the real file's structure follows
    sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

sqlite3_file* RealOf(sqlite3_file* file) {
    return reinterpret_cast<KillingFile*>(file)->Real();
}

void CountWrite() {
    if (--g_writesLeft == 0) {
        raise(SIGKILL);
    }
}

const sqlite3_io_methods kKillingMethods = {
    3,
    [](sqlite3_file* f) { return RealOf(f)->pMethods->xClose(RealOf(f)); },
    [](sqlite3_file* f, void* p, int n, sqlite3_int64 at) {
        return RealOf(f)->pMethods->xRead(RealOf(f), p, n, at);
    },
    [](sqlite3_file* f, const void* p, int n, sqlite3_int64 at) {
        CountWrite();
        return RealOf(f)->pMethods->xWrite(RealOf(f), p, n, at);
    },
    [](sqlite3_file* f, sqlite3_int64 size) {
        CountWrite();
        return RealOf(f)->pMethods->xTruncate(RealOf(f), size);
    },
    [](sqlite3_file* f, int flags) {
        CountWrite();
        return RealOf(f)->pMethods->xSync(RealOf(f), flags);
    },
    [](sqlite3_file* f, sqlite3_int64* size) {
        return RealOf(f)->pMethods->xFileSize(RealOf(f), size);
    },
    [](sqlite3_file* f, int lock) { return RealOf(f)->pMethods->xLock(RealOf(f), lock); },
    [](sqlite3_file* f, int lock) { return RealOf(f)->pMethods->xUnlock(RealOf(f), lock); },
    [](sqlite3_file* f, int* out) {
        return RealOf(f)->pMethods->xCheckReservedLock(RealOf(f), out);
    },
    [](sqlite3_file* f, int op, void* arg) {
        return RealOf(f)->pMethods->xFileControl(RealOf(f), op, arg);
    },
    [](sqlite3_file* f) { return RealOf(f)->pMethods->xSectorSize(RealOf(f)); },
    [](sqlite3_file* f) { return RealOf(f)->pMethods->xDeviceCharacteristics(RealOf(f)); },
    [](sqlite3_file* f, int page, int size, int extend, void volatile** out) {
        return RealOf(f)->pMethods->xShmMap(RealOf(f), page, size, extend, out);
    },
    [](sqlite3_file* f, int offset, int n, int flags) {
        return RealOf(f)->pMethods->xShmLock(RealOf(f), offset, n, flags);
    },
    [](sqlite3_file* f) { RealOf(f)->pMethods->xShmBarrier(RealOf(f)); },
    [](sqlite3_file* f, int remove) { return RealOf(f)->pMethods->xShmUnmap(RealOf(f), remove); },
    [](sqlite3_file* f, sqlite3_int64 at, int n, void** out) {
        return RealOf(f)->pMethods->xFetch(RealOf(f), at, n, out);
    },
    [](sqlite3_file* f, sqlite3_int64 at, void* p) {
        return RealOf(f)->pMethods->xUnfetch(RealOf(f), at, p);
    },
};

sqlite3_vfs g_killingVfs;

int OpenKilling(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* killing = reinterpret_cast<KillingFile*>(file);
    const int result = g_realVfs->xOpen(g_realVfs, name, killing->Real(), flags, outFlags);
    killing->base.pMethods = killing->Real()->pMethods != nullptr ? &kKillingMethods : nullptr;
    return result;
}

// From now on this process ends at the `writes`-th write, truncation or sync of a file.
void KillAtWrite(int writes) {
    g_realVfs = sqlite3_vfs_find(nullptr);
    g_killingVfs = *g_realVfs;
    g_killingVfs.zName = "pantrel-killing";
    g_killingVfs.szOsFile = static_cast<int>(sizeof(KillingFile)) + g_realVfs->szOsFile;
    g_killingVfs.xOpen = OpenKilling;
    g_writesLeft = writes;
    sqlite3_vfs_register(&g_killingVfs, 1);
}

// ---- The install and what it may leave behind ---------------------------------------------------

class SilentSink final : public MessageSink {
public:
    void ShowError(const std::string&) override {}
};

struct KindOfFile {
    DeviceKind kind;
    std::string typ;
    std::string producer;
    std::vector<std::string> models;
};

// In the order install walks the kinds.
const std::array<KindOfFile, 3> kKinds = {{
    {DeviceKind::CashRegister, "Kasa fiskalna", "Kasomat", {"K-1", "K-2", "K-3"}},
    {DeviceKind::LabelScale, "Waga etykietująca", "Wagex", {"W-1", "W-2", "W-3"}},
    {DeviceKind::FiscalPrinter, "Drukarka fiskalna", "Fiskator", {"D-1", "D-2", "D-3"}},
}};
// Values one kind writes: one per model and the driver's version.
constexpr int kValuesPerKind = 4;

enum class Killer { AfterValue, AtWrite };

class InstallKillTest : public testing::Test {
protected:
    InstallKillTest() {
        std::vector<DriverOfFile> earlier;
        std::vector<DriverOfFile> installed;
        for (const KindOfFile& k : kKinds) {
            earlier.push_back({k.typ, k.producer, {"Old"}});
            installed.push_back({k.typ, k.producer, k.models});
        }
        WriteSpecification(Earlier(), earlier);
        WriteSpecification(Installed(), installed);
        SqliteRegistryStore hive{folder_ / "before.db"};
        SilentSink sink;
        EXPECT_TRUE(InstallSpecification(hive, Earlier(), sink));
    }

    std::string Earlier() const { return (folder_ / "earlier.xml").string(); }
    std::string Installed() const { return (folder_ / "installed.xml").string(); }

    // Runs the install on a copy of the store in a child killed at `point`; true when the kill
    // came, false when the install ended before it.
    bool InstallKilled(const fs::path& store, Killer killer, int point) {
        fs::copy_file(folder_ / "before.db", store, fs::copy_options::overwrite_existing);
        // No store is open in this process now, so the child starts with no SQLite state.
        const pid_t child = fork();
        if (child == 0) {
            if (killer == Killer::AtWrite) {
                KillAtWrite(point);
            }
            int values = 0;
            StoreHooks hooks;
            hooks.afterSetValue = [&] {
                if (killer == Killer::AfterValue && ++values == point) {
                    raise(SIGKILL);
                }
            };
            SqliteRegistryStore hive{store};
            HookedStore hooked{hive, hooks};
            SilentSink sink;
            _exit(InstallSpecification(hooked, Installed(), sink) ? 0 : 1);
        }
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
            return true;
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "point " << point;
        return false;
    }

    // Checks that the store opens and each kind is all or nothing; the number of kinds done,
    // which always come first in install order.
    int KindsDone(const fs::path& store, int point) {
        SqliteRegistryStore hive{store};
        int done = 0;
        for (const KindOfFile& k : kKinds) {
            RegistryKey key;
            EXPECT_TRUE(OpenModelKey(hive, k.kind, key)) << "point " << point;
            std::set<std::string> names;
            std::string name;
            std::string data;
            Status status = 0;
            for (std::uint32_t i = 0; (status = EnumModelEntry(key, i, name, data)) == 0; ++i) {
                names.insert(ModelOfEntry(name));
            }
            EXPECT_EQ(status, ERROR_NO_MORE_ITEMS_STATUS) << "point " << point;
            key.Close();
            std::string driverPath;
            DriverKeyPath(k.kind, driverPath);
            EXPECT_EQ(key.Open(hive, driverPath, KEY_READ_ACCESS), 0);
            std::string version;
            key.QueryText(VERSION_VALUE, version, VERSION_TEXT_CAPACITY);

            std::set<std::string> all{k.models.begin(), k.models.end()};
            all.insert("Old");
            if (names == all && version == "0.2.0") {
                EXPECT_EQ(done, &k - kKinds.data()) << "a kind done after one that is not";
                ++done;
            } else {
                EXPECT_EQ(names, std::set<std::string>{"Old"}) << "half a kind, point " << point;
                EXPECT_EQ(version, "0.1.0") << "point " << point;
            }
        }
        return done;
    }

    TempFolder folder_;
};

TEST_F(InstallKillTest, KilledAfterAnyValueKeepsWholeKindsOnly) {
    const int values = kValuesPerKind * static_cast<int>(kKinds.size());
    for (int n = 1; n <= values; ++n) {
        const fs::path store = folder_ / "after-value.db";
        ASSERT_TRUE(InstallKilled(store, Killer::AfterValue, n)) << n;
        // The kind whose value was the last one written never reached its commit.
        EXPECT_EQ(KindsDone(store, n), (n - 1) / kValuesPerKind) << "killed after value " << n;
    }
}

TEST_F(InstallKillTest, KilledInsideAnyCommitKeepsWholeKindsOnly) {
    const fs::path store = folder_ / "at-write.db";
    int lastDone = 0;
    int k = 1;
    for (; k < 500 && InstallKilled(store, Killer::AtWrite, k); ++k) {
        const int done = KindsDone(store, k);
        EXPECT_GE(done, lastDone) << "a later kill kept fewer kinds, write " << k;
        lastDone = done;
    }
    EXPECT_LT(k, 500) << "the install never ended";
    EXPECT_GT(k, 3) << "every commit writes";
    EXPECT_EQ(KindsDone(store, k), static_cast<int>(kKinds.size()));
}

}  // namespace
}  // namespace pantrel
