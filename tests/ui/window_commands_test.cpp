// The commands of the main window without a toolkit: what they do to the store, the list and the
// buttons, in which order, and what they tell the user.
#include "ui/window_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../support/failing_sink.h"
#include "../support/hooked_store.h"
#include "install/specification_install.h"
#include "kinds/string_table.h"
#include "recording_view.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "ui_store_support.h"

namespace pantrel::testing {
namespace {

using Models = std::vector<std::string>;
using Texts = std::vector<std::string>;

const std::string kNoDriverChosen{LoadResourceString(IDS_NO_DRIVER_CHOSEN)};

void WriteEntry(RegistryStore& hive, DeviceKind kind, const std::string& valueName) {
    std::string path;
    ASSERT_TRUE(ModelKeyPath(kind, path));
    RegistryKey key;
    ASSERT_EQ(key.Create(hive, path, KEY_READ_WRITE_ACCESS), 0);
    ASSERT_EQ(key.Get().SetValue(valueName, REG_SZ_TYPE, std::string("/r.xml") + '\0'), 0);
    ASSERT_EQ(key.Close(), 0);
}

// The store file opened afresh for every operation, as the window opens it, with `hooks` run
// at their moments.
StoreAccess HookedAccess(const std::filesystem::path& file,
                         const testing_support::StoreHooks& hooks) {
    return StoreAccess{file.string(), [&hooks, file]() -> std::unique_ptr<RegistryStore> {
                           return std::make_unique<testing_support::HookedStore>(
                               std::make_unique<SqliteRegistryStore>(file), hooks);
                       }};
}

class WindowCommandsTest : public ::testing::Test {
protected:
    void Open() { commands.InitList(); }
    void MakeReadOnly() {
        std::filesystem::permissions(store.File(), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::group_read |
                                                       std::filesystem::perms::others_read);
    }
    std::string Message(const std::string& sentence) {
        return sentence + " '" + store.File().string() + "': ";
    }

    TempStore store;
    ScriptedPrompts prompts;
    RecordingView view;
    WindowCommands commands{view, prompts,
                            store.Access([this] { view.events.emplace_back("store"); })};
};

TEST_F(WindowCommandsTest, AddingPaintsTheDisabledWindowBeforeTheInstallAndRereadsAfter) {
    Open();
    view.events.clear();
    prompts.fileToChoose = UiDataFile("sort_models.xml");
    commands.OnAddSpecification();

    // The wait cursor and the disabled buttons are on screen before the store is touched.
    EXPECT_EQ(view.events,
              (Texts{"wait", "disable", "paint", "store", "store", "enable", "unwait"}));
    EXPECT_EQ(view.Models(), (Models{"Zeta", "alfa", "Łania"}));
    EXPECT_EQ(view.GetCurrentItem(), 0);
    EXPECT_TRUE(view.rowCommandsEnabled);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(WindowCommandsTest, ACancelledDialogOrAFileThatDoesNotLoadChangeNothingElse) {
    store.Install("three_kinds.xml");
    Open();
    view.events.clear();
    commands.OnAddSpecification();
    EXPECT_EQ(prompts.fileDialogs, 1);
    EXPECT_TRUE(view.events.empty());

    prompts.fileToChoose = UiDataFile("broken.xml");
    commands.OnAddSpecification();
    ASSERT_EQ(prompts.errors.size(), 1U);  // the loader's message, and no other
    EXPECT_NE(prompts.errors[0].find("broken.xml"), std::string::npos);
    EXPECT_EQ(view.events, (Texts{"wait", "disable", "paint", "store", "enable", "unwait"}));
    EXPECT_EQ(view.Models().size(), 3U);
    EXPECT_EQ(view.waitCursors, 0);
}

TEST_F(WindowCommandsTest, AFileWhosePathTheListCouldNeverShowIsRefusedAloud) {
    store.Install("three_kinds.xml");
    Open();
    view.events.clear();
    // Its entries could never be listed, nor removed again here: the install is refused, and
    // said so, before anything is read or written.
    prompts.fileToChoose = "/" + std::string(MODEL_ENTRY_DATA_CAPACITY, 'a') + ".xml";
    commands.OnAddSpecification();
    EXPECT_EQ(prompts.errors,
              (Texts{"Nie można zarejestrować modeli z pliku '" + prompts.fileToChoose +
                     "': ścieżka pliku jest dłuższa niż 519 znaków i lista modeli nie mogłaby "
                     "jej pokazać."}));
    EXPECT_TRUE(view.events.empty());
    EXPECT_EQ(view.Models().size(), 3U);
}

TEST_F(WindowCommandsTest, RemovingAsksWithTheNameAsWrittenAndNoKeepsTheEntry) {
    store.WriteEntry(DeviceKind::CashRegister, "A & Co <b>x</b>|P", "/a.xml");
    Open();
    commands.OnRemoveModel();
    EXPECT_EQ(prompts.questions, (Texts{RemovalQuestion("A & Co <b>x</b>")}));
    EXPECT_EQ(prompts.questions[0],
              "Czy na pewno usunąć model A & Co <b>x</b> z listy urządzeń obsługiwanych przez "
              "sterownik uniwersalny?");
    EXPECT_EQ(store.EntryNames(DeviceKind::CashRegister), (Texts{"A & Co <b>x</b>|P"}));

    prompts.answerYes = true;
    commands.OnRemoveModel();
    EXPECT_TRUE(store.EntryNames(DeviceKind::CashRegister).empty());
    EXPECT_TRUE(view.Models().empty());
}

TEST_F(WindowCommandsTest, RemovingTheLastRowRestoresTheFocusTheOnlyRowDoesNot) {
    store.Install("three_kinds.xml");
    Open();
    view.Select(2);
    view.focus = "close";
    prompts.answerYes = true;
    commands.OnRemoveModel();
    EXPECT_EQ(view.Models(), (Models{"Alfa W", "Bravo K"}));
    EXPECT_EQ(view.GetCurrentItem(), 1);
    EXPECT_EQ(view.focus, "close");
    EXPECT_FALSE(view.rememberedFocus.has_value());

    store.DeleteEntry(DeviceKind::LabelScale, "Alfa W|Bravo");
    commands.OnRefreshList();
    view.focus = "add";
    commands.OnRemoveModel();
    EXPECT_TRUE(view.Models().empty());
    EXPECT_FALSE(view.rowCommandsEnabled);
    EXPECT_TRUE(view.generalCommandsEnabled);
    EXPECT_EQ(view.rememberedFocus, "add");  // kept until the next disabling
    EXPECT_EQ(view.waitCursors, 0);
}

TEST_F(WindowCommandsTest, CommandsThatNeedARowSaySoWhenNoneIsCurrent) {
    store.Install("three_kinds.xml");
    Open();
    view.Deselect();
    commands.OnRemoveModel();
    commands.OnUpdateCurrent();
    EXPECT_EQ(prompts.informations, (Texts{kNoDriverChosen, kNoDriverChosen}));
    EXPECT_TRUE(prompts.questions.empty());

    store.WriteEntry(DeviceKind::CashRegister, "Delta|P", "/d.xml");
    commands.OnRefreshList();  // re-reading needs none
    EXPECT_EQ(view.Models().size(), 4U);
    commands.OnUpdateCurrent();
    EXPECT_EQ(prompts.informations.size(), 2U);
}

// Every failure of the store is told once, naming the store and why; nothing else happens.
TEST_F(WindowCommandsTest, AStoreThatCannotBeWrittenIsToldForAddAndRemove) {
    store.Install("three_kinds.xml");
    Open();
    MakeReadOnly();

    prompts.fileToChoose = UiDataFile("sort_models.xml");
    commands.OnAddSpecification();
    EXPECT_EQ(prompts.errors,
              (Texts{Message("Nie można zapisać modeli w rejestrze") + "brak prawa zapisu."}));

    prompts.errors.clear();
    prompts.answerYes = true;
    commands.OnRemoveModel();
    EXPECT_EQ(prompts.errors,
              (Texts{Message("Nie można usunąć modelu z rejestru") + "brak prawa zapisu."}));
    EXPECT_EQ(view.Models(), (Models{"Alfa W", "Bravo K", "Charlie D"}));
    EXPECT_EQ(store.EntryNames(DeviceKind::LabelScale), (Texts{"Alfa W|Bravo"}));
    EXPECT_TRUE(view.generalCommandsEnabled);
    EXPECT_EQ(view.waitCursors, 0);
}

// What the store refused, and which kinds it had registered before it stopped the install; the
// list is not re-read after a failed install.
TEST_F(WindowCommandsTest, AnInstallTheStoreRefusedSaysWhyAndWhichKindsAreRegistered) {
    const struct {
        const char* name;
        std::function<Status(std::string_view)> refuseCreate;
        std::function<Status(std::string_view)> refuseWrite;
        std::string message;
        Texts cashEntries;
    } cases[] = {
        {"scales' key refused",
         [](std::string_view path) -> Status {
             return path.find("Wagi") != std::string_view::npos ? ERROR_ACCESS_DENIED_STATUS : 0;
         },
         {},
         "brak prawa zapisu.\nZarejestrowano już: kasy fiskalne.",
         {"Bravo K|Charlie"}},
        {"every value refused",
         {},
         [](std::string_view) -> Status { return ERROR_BADDB_STATUS; },
         "plik rejestru jest uszkodzony.",
         {}},
    };
    for (const auto& c : cases) {
        testing_support::StoreHooks hooks;
        hooks.refuseCreate = c.refuseCreate;
        hooks.refuseWrite = c.refuseWrite;
        TempStore fresh;
        ScriptedPrompts answers;
        RecordingView window;
        const std::filesystem::path file = fresh.File();
        WindowCommands hooked{window, answers, HookedAccess(file, hooks)};
        hooked.InitList();
        answers.fileToChoose = UiDataFile("three_kinds.xml");
        hooked.OnAddSpecification();
        EXPECT_EQ(answers.errors, (Texts{"Nie można zapisać modeli w rejestrze '" + file.string() +
                                         "': " + c.message}))
            << c.name;
        EXPECT_EQ(fresh.EntryNames(DeviceKind::CashRegister), c.cashEntries) << c.name;
        EXPECT_TRUE(fresh.EntryNames(DeviceKind::FiscalPrinter).empty()) << c.name;
        EXPECT_TRUE(window.Models().empty()) << c.name;
        EXPECT_TRUE(window.generalCommandsEnabled) << c.name;
    }
}

TEST_F(WindowCommandsTest, AnInstallWithRefusedValuesShowsTheModelsItDidRegister) {
    testing_support::StoreHooks hooks;
    hooks.refuseWrite = [](std::string_view name) -> Status {
        return name == "Alfa W|Bravo" ? ERROR_BADDB_STATUS : ERROR_SUCCESS_STATUS;
    };
    TempStore fresh;
    ScriptedPrompts answers;
    RecordingView window;
    const std::filesystem::path file = fresh.File();
    WindowCommands hooked{window, answers, HookedAccess(file, hooks)};
    hooked.InitList();
    answers.fileToChoose = UiDataFile("three_kinds.xml");
    hooked.OnAddSpecification();
    ASSERT_EQ(answers.errors.size(), 1U);
    EXPECT_NE(answers.errors[0].find("Zarejestrowano już: kasy fiskalne"), std::string::npos)
        << answers.errors[0];
    // The other kinds' entries were committed, so the list shows them at once.
    std::vector<std::string> listed = window.Models();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"Bravo K", "Charlie D"}));
}

TEST_F(WindowCommandsTest, AStoreThatCannotBeReadIsToldAMissingOneIsAnEmptyList) {
    Open();
    EXPECT_TRUE(view.Models().empty());
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_FALSE(std::filesystem::exists(store.File()));  // reading created nothing

    std::ofstream(store.File(), std::ios::binary) << std::string(4096, 'x');
    commands.OnRefreshList();
    EXPECT_EQ(prompts.errors,
              (Texts{Message("Nie można odczytać rejestru") + "plik rejestru jest uszkodzony."}));
    EXPECT_TRUE(view.Models().empty());
    EXPECT_EQ(view.waitCursors, 0);
}

TEST_F(WindowCommandsTest, EveryOperationReachesTheStoreFileAsItIsNow) {
    store.Install("three_kinds.xml");
    Open();
    store.ReplaceFile([](RegistryStore& restored) {
        WriteEntry(restored, DeviceKind::FiscalPrinter, "Nowa D|Drukpol");
        WriteEntry(restored, DeviceKind::FiscalPrinter, "Nowsza D|Drukpol");
    });

    commands.OnRefreshList();
    EXPECT_EQ(view.Models(), (Models{"Nowa D", "Nowsza D"}));

    prompts.answerYes = true;
    commands.OnRemoveModel();
    EXPECT_EQ(store.EntryNames(DeviceKind::FiscalPrinter), (Texts{"Nowsza D|Drukpol"}));
    EXPECT_EQ(view.Models(), (Models{"Nowsza D"}));
    EXPECT_TRUE(prompts.errors.empty());
}

// A store file reached as the registry is: every value written stays when a run is killed, so
// the tools record their work.
class RegistryLikeStore final : public RegistryStore {
public:
    explicit RegistryLikeStore(const std::filesystem::path& file) : file_(file) {}
    Status OpenKey(std::string_view path, std::uint32_t access,
                   std::unique_ptr<StoreKey>& key) override {
        return file_.OpenKey(path, access, key);
    }
    Status CreateKey(std::string_view path, std::uint32_t access,
                     std::unique_ptr<StoreKey>& key) override {
        return file_.CreateKey(path, access, key);
    }
    bool KeepsWriteSpansWhole() const override { return false; }

private:
    SqliteRegistryStore file_;
};

struct RunKilled {};

TEST(WindowOpeningTest, FinishesAKilledInstallFirstOrSaysOnceWhyItCannot) {
    for (const bool fileGone : {false, true}) {
        SCOPED_TRACE(fileGone ? "file gone" : "file there");
        TempStore store;
        const std::filesystem::path file = store.Folder() / "kinds.xml";
        std::filesystem::copy_file(UiDataFile("three_kinds.xml"), file);
        {
            // The record's two values, then the cash register's entry and version: the other
            // kinds are not written when the run ends.
            RegistryLikeStore hive{store.File()};
            int writes = 0;
            testing_support::StoreHooks hooks;
            hooks.afterSetValue = [&writes] {
                if (++writes == 4) {
                    throw RunKilled{};
                }
            };
            testing_support::HookedStore hooked{hive, hooks};
            testing_support::FailingSink sink;
            EXPECT_THROW(InstallSpecification(hooked, file.string(), sink), RunKilled);
        }
        if (fileGone) {
            std::filesystem::remove(file);
        }
        ScriptedPrompts prompts;
        RecordingView view;
        WindowCommands commands{
            view, prompts,
            StoreAccess{store.File().string(), [&store]() -> std::unique_ptr<RegistryStore> {
                            return std::make_unique<RegistryLikeStore>(store.File());
                        }}};
        commands.InitList();
        if (fileGone) {
            EXPECT_EQ(view.Models(), (Models{"Bravo K"}));
            ASSERT_EQ(prompts.errors.size(), 1U);
            EXPECT_NE(prompts.errors[0].find("'" + file.string() +
                                             "' nie można dokończyć: plik "
                                             "już nie istnieje"),
                      std::string::npos)
                << prompts.errors[0];
        } else {
            EXPECT_EQ(view.Models(), (Models{"Alfa W", "Bravo K", "Charlie D"}));
            EXPECT_TRUE(prompts.errors.empty());
        }
        // Told once: the record is gone either way.
        prompts.errors.clear();
        commands.InitList();
        EXPECT_TRUE(prompts.errors.empty());
    }
}

TEST(StoreFailureMessageTest, TheCommandLinesSentenceAsABoxText) {
    EXPECT_EQ(StoreFailureMessage(StoreOperation::Read, "/r.db", ERROR_ACCESS_DENIED_STATUS),
              "Nie można odczytać rejestru '/r.db': brak prawa odczytu.");
    EXPECT_EQ(StoreFailureMessage(StoreOperation::WriteModels, "/r.db", ERROR_DISK_FULL_STATUS),
              "Nie można zapisać modeli w rejestrze '/r.db': brak miejsca na dysku.");
    EXPECT_EQ(StoreFailureMessage(StoreOperation::RemoveModel, "/r.db", 31),
              "Nie można usunąć modelu z rejestru '/r.db': błąd rejestru (kod 31).");
}

}  // namespace
}  // namespace pantrel::testing
