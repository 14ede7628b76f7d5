// The model list on 10,000 and 100,000 registered models, offscreen: a full re-read (fill and
// sort, with the view's layout) and a click on the model column's header.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"
#include "ui/list_row.h"
#include "ui/qt/main_window_runner.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui/silent_prompts.h"

namespace {

// A store with `models` entries spread over the three kinds, written in a shuffled order so
// that the sort has work to do.
class FilledStore {
public:
    FilledStore(const std::filesystem::path& folder, int models)
        : store_(folder / ("registry-" + std::to_string(models) + ".db")) {
        std::vector<int> numbers(static_cast<std::size_t>(models));
        for (int i = 0; i < models; ++i) {
            numbers[static_cast<std::size_t>(i)] = i;
        }
        std::mt19937 random(20240917U + static_cast<unsigned>(models));
        std::shuffle(numbers.begin(), numbers.end(), random);
        const pantrel::DeviceKind kinds[] = {pantrel::DeviceKind::CashRegister,
                                             pantrel::DeviceKind::FiscalPrinter,
                                             pantrel::DeviceKind::LabelScale};
        for (const pantrel::DeviceKind kind : kinds) {
            std::string path;
            pantrel::ModelKeyPath(kind, path);
            pantrel::RegistryKey key;
            key.Create(store_, path, pantrel::KEY_READ_WRITE_ACCESS);
            for (std::size_t i = pantrel::KindCode(kind) % 3; i < numbers.size(); i += 3) {
                const std::string number = std::to_string(numbers[i]);
                key.Get().SetValue("Model " + number + "|Producent " + number.substr(0, 2),
                                   pantrel::REG_SZ_TYPE,
                                   "/usr/share/pantrel/specyfikacje/plik_" + number + ".xml" +
                                       std::string(1, '\0'));
            }
            key.Close();
        }
    }

    pantrel::SqliteRegistryStore& Hive() { return store_; }

private:
    pantrel::SqliteRegistryStore store_;
};

std::filesystem::path& Folder() {
    static std::filesystem::path folder;
    return folder;
}

FilledStore& StoreWith(int models) {
    static std::unique_ptr<FilledStore> small;
    static std::unique_ptr<FilledStore> large;
    std::unique_ptr<FilledStore>& store = models <= 10000 ? small : large;
    if (!store) {
        store = std::make_unique<FilledStore>(Folder(), models);
    }
    return *store;
}

void ListRefresh(benchmark::State& state) {
    pantrel::SilentPrompts prompts;
    CPantrelDlg window(
        pantrel::qt::FileStoreAccess(StoreWith(static_cast<int>(state.range(0))).Hive().Path()),
        prompts);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.RefreshList();
        QApplication::processEvents();  // the view lays out and paints the new rows
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ListSort(benchmark::State& state) {
    pantrel::SilentPrompts prompts;
    CPantrelDlg window(
        pantrel::qt::FileStoreAccess(StoreWith(static_cast<int>(state.range(0))).Hive().Path()),
        prompts);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.OnColumnClick(pantrel::MODEL_COLUMN);  // each click reverses the order
        QApplication::processEvents();
    }
}

}  // namespace

BENCHMARK(ListRefresh)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListSort)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Folder() = std::filesystem::temp_directory_path() /
               ("pantrel-list-bench-" + std::to_string(QApplication::applicationPid()));
    std::filesystem::create_directories(Folder());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
