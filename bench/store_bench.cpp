// The registry store: writing many model entries through one write handle (one transaction),
// listing them by index as the model list does, and replacing, reading and deleting them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/win32_status.h"
#include "registry/sqlite_store.h"

namespace {

namespace fs = std::filesystem;
using pantrel::SqliteRegistryStore;
using pantrel::Status;
using pantrel::StoreKey;

constexpr const char* kModelKey =
    "Software\\Tarvex\\Sterowniki2\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}"
    "\\ModeleUni";

// A folder for the benchmark's stores, removed when the program ends.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "pantrel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~BenchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    fs::path File(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

const BenchFolder& Folder() {
    static const BenchFolder folder;
    return folder;
}

void RemoveStore(const fs::path& file) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::remove(file.string() + suffix, ignored);
    }
}

// Writes `count` entries into the model key of a new store; the commits it took, or -1.
std::int64_t WriteEntries(const fs::path& file, std::int64_t count) {
    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    if (store.CreateKey(kModelKey, pantrel::KEY_READ_WRITE_ACCESS, key) != 0) {
        return -1;
    }
    for (std::int64_t i = 0; i < count; ++i) {
        const std::string name = "Model " + std::to_string(i) + "|Producent";
        const std::string path = "/usr/share/pantrel/kasa-" + std::to_string(i) + ".xml";
        if (key->SetValue(name, pantrel::REG_SZ_TYPE, {path.c_str(), path.size() + 1}) != 0) {
            return -1;
        }
    }
    if (key->Close() != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(store.CommitCount());
}

// A new store named `name` holding state.range(0) entries, for a benchmark that reads or changes
// them; false, with the benchmark told why, when it could not be written.
bool WriteStoreFor(benchmark::State& state, const std::string& name, fs::path& file) {
    file = Folder().File(name + "-" + std::to_string(state.range(0)) + ".db");
    RemoveStore(file);
    if (WriteEntries(file, state.range(0)) < 0) {
        state.SkipWithError("writing the store failed");
        return false;
    }
    return true;
}

void BM_StoreWrite(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const fs::path file = Folder().File("write-" + std::to_string(count) + ".db");
    std::int64_t commits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RemoveStore(file);
        state.ResumeTiming();
        commits = WriteEntries(file, count);
        if (commits < 0) {
            state.SkipWithError("writing the store failed");
            break;
        }
    }
    state.counters["commits"] = static_cast<double>(commits);
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_StoreEnum(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    fs::path file;
    if (!WriteStoreFor(state, "enum", file)) {
        return;
    }
    SqliteRegistryStore store(file);
    std::unique_ptr<StoreKey> key;
    if (store.OpenKey(kModelKey, pantrel::KEY_READ_ACCESS, key) != 0) {
        state.SkipWithError("opening the model key failed");
        return;
    }
    std::string name;
    std::string data;
    for (auto _ : state) {
        for (std::int64_t i = 0; i < count; ++i) {
            const Status status =
                key->EnumValue(static_cast<std::uint32_t>(i), name, 260, &data, 520);
            if (status != 0) {
                state.SkipWithError("listing stopped early");
                break;
            }
        }
        benchmark::DoNotOptimize(data);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// What a reinstall and an uninstall do to a model key, in one transaction per round: every
// entry replaced and read back, then deleted, then written anew, so each round finds the same key.
void BM_StoreRewrite(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    fs::path file;
    if (!WriteStoreFor(state, "rewrite", file)) {
        return;
    }
    SqliteRegistryStore store(file);
    std::vector<std::string> names;
    for (std::int64_t i = 0; i < count; ++i) {
        names.push_back("Model " + std::to_string(i) + "|Producent");
    }
    const std::string path = "/usr/share/pantrel/kasa.xml";
    const std::string_view data{path.c_str(), path.size() + 1};
    std::uint32_t type = 0;
    std::string read;
    std::size_t size = 0;
    for (auto _ : state) {
        std::unique_ptr<StoreKey> key;
        bool failed = store.OpenKey(kModelKey, pantrel::KEY_READ_WRITE_ACCESS, key) != 0;
        for (std::size_t i = 0; !failed && i < names.size(); ++i) {
            failed = key->SetValue(names[i], pantrel::REG_SZ_TYPE, data) != 0 ||
                     key->QueryValue(names[i], type, read, 520, size) != 0;
        }
        for (std::size_t i = 0; !failed && i < names.size(); ++i) {
            failed = key->DeleteValue(names[i]) != 0;
        }
        for (std::size_t i = 0; !failed && i < names.size(); ++i) {
            failed = key->SetValue(names[i], pantrel::REG_SZ_TYPE, data) != 0;
        }
        if (failed || key->Close() != 0) {
            state.SkipWithError("rewriting the store failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_StoreWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreEnum)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreRewrite)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
