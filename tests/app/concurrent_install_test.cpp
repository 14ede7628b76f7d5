// Several installers at once, of the same and of different kinds, and an uninstall, while a
// reader lists the store over and over: nothing is lost, and the reader never sees half of one
// file's kind.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../support/failing_sink.h"
#include "../support/spawn_process.h"
#include "../support/spec_file.h"
#include "../support/temp_folder.h"
#include "install/specification_install.h"
#include "registry/failure_recording_store.h"
#include "registry/model_registry.h"
#include "registry/registered_models.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

struct Installer {
    std::string file;
    std::vector<DriverOfFile> drivers;
    pid_t pid = 0;
};

// How many models of `kind` each file has in the listing, by the file's path.
std::map<std::pair<std::string, DeviceKind>, std::size_t> Counted(
    const std::vector<RegisteredModel>& models) {
    std::map<std::pair<std::string, DeviceKind>, std::size_t> counted;
    for (const RegisteredModel& m : models) {
        ++counted[{m.path, m.kind}];
    }
    return counted;
}

DeviceKind KindOf(const std::string& typ) {
    if (typ == "Kasa fiskalna") {
        return DeviceKind::CashRegister;
    }
    return typ == "Drukarka fiskalna" ? DeviceKind::FiscalPrinter : DeviceKind::LabelScale;
}

std::string Version(RegistryStore& hive, DeviceKind kind) {
    std::string path;
    DriverKeyPath(kind, path);
    RegistryKey key;
    std::string version;
    if (key.Open(hive, path, KEY_READ_ACCESS) == 0) {
        key.QueryText(VERSION_VALUE, version, VERSION_TEXT_CAPACITY);
    }
    return version;
}

TEST(ConcurrentInstall, NothingIsLostAndNoReaderSeesHalfAKind) {
    TempFolder folder;
    const fs::path store = folder / "registry.db";
    std::vector<Installer> installers = {
        {"cash-a.xml", {{"Kasa fiskalna", "Kasomat", {"A-1", "A-2", "A-3", "A-4"}}}},
        {"cash-b.xml", {{"Kasa fiskalna", "Inny", {"B-1", "B-2", "B-3", "B-4"}}}},
        {"mixed.xml",
         {{"Kasa fiskalna", "Mix", {"C-1", "C-2", "C-3"}},
          {"Drukarka fiskalna", "Mix", {"P-1", "P-2", "P-3"}}}},
        {"scale-printer.xml",
         {{"Waga etykietująca", "Wagex", {"S-1", "S-2", "S-3"}},
          {"Drukarka fiskalna", "Fiskator", {"Q-1", "Q-2", "Q-3"}}}},
        {"scale.xml", {{"Waga etykietująca", "Ważnik", {"T-1", "T-2", "T-3"}}}},
    };
    std::map<std::pair<std::string, DeviceKind>, std::size_t> expected;
    std::map<DeviceKind, int> installsOfKind;
    for (Installer& installer : installers) {
        installer.file = (folder / installer.file).string();
        WriteSpecification(installer.file, installer.drivers);
        for (const DriverOfFile& driver : installer.drivers) {
            expected[{installer.file, KindOf(driver.typ)}] = driver.models.size();
            ++installsOfKind[KindOf(driver.typ)];
        }
    }

    // And one uninstall of the only models of a kind that others install meanwhile.
    Installer leaving{(folder / "leaving.xml").string(),
                      {{"Waga etykietująca", "Stary", {"L-1", "L-2"}}}};
    WriteSpecification(leaving.file, leaving.drivers);
    {
        SqliteRegistryStore hive{store};
        FailingSink sink;
        ASSERT_TRUE(InstallSpecification(hive, leaving.file, sink));
    }
    ++installsOfKind[DeviceKind::LabelScale];
    const auto leavingScales = std::make_pair(leaving.file, DeviceKind::LabelScale);
    expected[leavingScales] = 2;  // what a reader may see until the uninstall is done

    for (Installer& installer : installers) {
        installer.pid = StartProcess(PANTREL_EXECUTABLE, {"-install", installer.file},
                                     {{"PANTREL_REGISTRY", store.string()}});
        ASSERT_GT(installer.pid, 0);
    }
    leaving.pid = StartProcess(PANTREL_EXECUTABLE, {"-uninstall", leaving.file},
                               {{"PANTREL_REGISTRY", store.string()}});
    ASSERT_GT(leaving.pid, 0);
    installers.push_back(leaving);
    int running = static_cast<int>(installers.size());
    int reads = 0;
    while (running > 0) {
        SqliteRegistryStore hive{store};
        FailureRecordingStore recording{hive};
        for (const auto& [fileAndKind, count] : Counted(ReadRegisteredModels(recording))) {
            EXPECT_EQ(count, expected[fileAndKind]) << "half a kind of " << fileAndKind.first;
        }
        EXPECT_EQ(recording.FirstFailure(), 0);
        ++reads;
        for (Installer& installer : installers) {
            int status = 0;
            if (installer.pid > 0 && waitpid(installer.pid, &status, WNOHANG) == installer.pid) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << installer.file;
                installer.pid = 0;
                --running;
            }
        }
    }

    expected.erase(leavingScales);
    SqliteRegistryStore hive{store};
    EXPECT_EQ(Counted(ReadRegisteredModels(hive)), expected);
    // Every install of a kind raised its driver's version once.
    for (const auto& [kind, installs] : installsOfKind) {
        EXPECT_EQ(Version(hive, kind), "0." + std::to_string(installs) + ".0");
    }
    EXPECT_GT(reads, 0);
}

}  // namespace
}  // namespace pantrel
