// The commands of the main window: adding, removing, re-reading, keys and the model menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kinds/device_kind.h"
#include "kinds/string_table.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "ui/list_row.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui_test_support.h"

namespace pantrel::testing {
namespace {

using Models = std::vector<std::string>;

const std::string kNoDriverChosen{LoadResourceString(IDS_NO_DRIVER_CHOSEN)};

std::string RemovalQuestion(const std::string& model) {
    return "Czy na pewno usunąć model " + model +
           " z listy urządzeń obsługiwanych przez sterownik uniwersalny?";
}

// What the window looked like while a prompt was open.
struct Snapshot {
    bool waitCursor = false;
    bool addEnabled = false;
    bool closeEnabled = false;
    bool removeEnabled = false;
};

// Notes whether a widget was painted while disabled.
class DisabledPaintWatcher final : public QObject {
public:
    bool paintedDisabled = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !static_cast<QWidget*>(watched)->isEnabled()) {
            paintedDisabled = true;
        }
        return false;
    }
};

class CommandsTest : public ::testing::Test {
protected:
    void Open(std::function<void()> onStoreOpen = {}) {
        window = std::make_unique<CPantrelDlg>(store.Access(std::move(onStoreOpen)), prompts);
        ShowAndActivate(*window);
    }
    QTreeView& List() { return Child<QTreeView>(*window, "modelList"); }
    QPushButton& Button(const char* name) { return Child<QPushButton>(*window, name); }
    void SelectRow(int row) { List().setCurrentIndex(List().model()->index(row, MODEL_COLUMN)); }
    void Deselect() {
        List().selectionModel()->clearSelection();
        ASSERT_EQ(window->GetCurrentItem(), -1);
    }
    Snapshot Look() const {
        const QCursor* cursor = QApplication::overrideCursor();
        return Snapshot{cursor != nullptr && cursor->shape() == Qt::WaitCursor,
                        Child<QPushButton>(*window, "addButton").isEnabled(),
                        Child<QPushButton>(*window, "closeButton").isEnabled(),
                        Child<QPushButton>(*window, "removeButton").isEnabled()};
    }

    TempStore store;
    ScriptedPrompts prompts;
    std::unique_ptr<CPantrelDlg> window;
};

TEST_F(CommandsTest, DeleteOnAButtonAsksAboutTheCurrentRowAndNoKeepsEverything) {
    store.Install("three_kinds.xml");
    Open();
    SelectRow(1);
    Button("closeButton").setFocus();
    prompts.answerYes = false;

    QTest::keyClick(&Button("closeButton"), Qt::Key_Delete);
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{RemovalQuestion("Bravo K")}));
    EXPECT_EQ(ListedModels(*window), (Models{"Alfa W", "Bravo K", "Charlie D"}));
    EXPECT_EQ(store.EntryNames(DeviceKind::CashRegister),
              (std::vector<std::string>{"Bravo K|Charlie"}));
    EXPECT_EQ(window->GetCurrentItem(), 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(CommandsTest, RemovingTheLastRowMakesTheNewLastRowCurrentAndRestoresTheFocus) {
    store.Install("three_kinds.xml");
    Open();
    SelectRow(2);
    List().setFocus();
    prompts.answerYes = true;
    Snapshot during;
    prompts.whilePromptOpen = [&] { during = Look(); };

    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_FALSE(during.waitCursor);  // the question comes before the work
    EXPECT_EQ(store.EntryNames(DeviceKind::FiscalPrinter), std::vector<std::string>{});
    EXPECT_EQ(ListedModels(*window), (Models{"Alfa W", "Bravo K"}));
    EXPECT_EQ(window->GetCurrentItem(), 1);
    EXPECT_EQ(QApplication::focusWidget(), &List());
    EXPECT_TRUE(Button("removeButton").isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CommandsTest, RemovingTheOnlyRowLeavesAnEmptyListAndRemoveDisabled) {
    store.WriteEntry(DeviceKind::LabelScale, "Solo|Wagex", "/w.xml");
    Open();
    prompts.answerYes = true;
    QTest::mouseClick(&Button("removeButton"), Qt::LeftButton);

    EXPECT_EQ(prompts.questions, (std::vector<std::string>{RemovalQuestion("Solo")}));
    EXPECT_TRUE(ListedModels(*window).empty());
    EXPECT_TRUE(store.EntryNames(DeviceKind::LabelScale).empty());
    EXPECT_FALSE(Button("removeButton").isEnabled());
    EXPECT_FALSE(Button("updateButton").isEnabled());
    EXPECT_TRUE(Button("addButton").isEnabled());
    EXPECT_TRUE(Button("closeButton").isEnabled());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->window(), window.get());
}

TEST_F(CommandsTest, RemoveWithoutACurrentRowOnlySaysSo) {
    store.Install("three_kinds.xml");
    Open();
    Deselect();
    QTest::keyClick(&List(), Qt::Key_Delete);
    Button("updateButton").click();  // the hidden command asks for a row too

    EXPECT_EQ(prompts.informations, (std::vector<std::string>{kNoDriverChosen, kNoDriverChosen}));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(ListedModels(*window).size(), 3U);
}

TEST_F(CommandsTest, RereadKeysWorkWithoutACurrentRow) {
    store.Install("three_kinds.xml");
    Open();
    Deselect();
    store.WriteEntry(DeviceKind::CashRegister, "Delta|P", "/d.xml");
    QTest::keyClick(&List(), Qt::Key_F5);
    EXPECT_EQ(ListedModels(*window).size(), 4U);
    EXPECT_EQ(window->GetCurrentItem(), 0);

    Deselect();
    store.WriteEntry(DeviceKind::CashRegister, "Echo|P", "/e.xml");
    QTest::keyClick(&Button("addButton"), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(ListedModels(*window).size(), 5U);
    EXPECT_TRUE(prompts.informations.empty());
    EXPECT_EQ(prompts.fileDialogs, 0);
}

TEST_F(CommandsTest, TheHiddenCommandRereadsWhenARowIsCurrent) {
    store.Install("three_kinds.xml");
    Open();
    EXPECT_TRUE(Button("updateButton").isEnabled());  // follows the remove button
    store.WriteEntry(DeviceKind::CashRegister, "Delta|P", "/d.xml");
    Button("updateButton").click();
    EXPECT_EQ(ListedModels(*window).size(), 4U);
    EXPECT_TRUE(prompts.informations.empty());
}

TEST_F(CommandsTest, CancellingTheFileDialogChangesNothing) {
    Open();
    Snapshot during;
    prompts.whilePromptOpen = [&] { during = Look(); };
    QTest::keyClick(&List(), Qt::Key_D, Qt::AltModifier);

    // A mnemonic presses its button a moment after the key.
    EXPECT_TRUE(QTest::qWaitFor([this] { return prompts.fileDialogs == 1; }, 1000));
    EXPECT_FALSE(during.waitCursor);
    EXPECT_TRUE(during.addEnabled);
    EXPECT_TRUE(ListedModels(*window).empty());
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CommandsTest, AddingAFileRegistersItsModelsAndRereads) {
    Open();
    prompts.fileToChoose = UiDataFile("sort_models.xml");
    QTest::mouseClick(&Button("addButton"), Qt::LeftButton);

    EXPECT_EQ(ListedModels(*window), (Models{"Zeta", "alfa", "Łania"}));
    EXPECT_EQ(window->GetCurrentItem(), 0);
    EXPECT_TRUE(Button("removeButton").isEnabled());
    EXPECT_TRUE(Button("addButton").isEnabled());
    EXPECT_TRUE(Button("closeButton").isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CommandsTest, AFailedInstallShowsTheLoadersMessageAndRereadsNothing) {
    store.Install("three_kinds.xml");
    Open();
    store.WriteEntry(DeviceKind::CashRegister, "Written|Meanwhile", "/m.xml");
    prompts.fileToChoose = UiDataFile("broken.xml");
    Snapshot during;
    prompts.whilePromptOpen = [&] { during = Look(); };

    QTest::mouseClick(&Button("addButton"), Qt::LeftButton);
    ASSERT_EQ(prompts.errors.size(), 1U);
    EXPECT_NE(prompts.errors[0].find("broken.xml"), std::string::npos) << prompts.errors[0];
    EXPECT_TRUE(during.waitCursor);
    EXPECT_FALSE(during.addEnabled);
    EXPECT_FALSE(during.closeEnabled);
    EXPECT_FALSE(during.removeEnabled);
    EXPECT_EQ(ListedModels(*window).size(), 3U);
    EXPECT_TRUE(Button("addButton").isEnabled());
    EXPECT_TRUE(Button("removeButton").isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QTest::keyClick(&List(), Qt::Key_F5);
    EXPECT_EQ(ListedModels(*window).size(), 4U);
}

TEST_F(CommandsTest, TheDisabledWindowIsOnScreenBeforeTheInstallStarts) {
    DisabledPaintWatcher watcher;
    bool installing = false;
    Snapshot atInstall;
    bool paintedAtInstall = false;
    Open([&] {
        if (prompts.fileDialogs == 1 && !installing) {  // the first opening after the dialog
            installing = true;
            atInstall = Look();
            paintedAtInstall = watcher.paintedDisabled;
        }
    });
    QTest::qWait(20);  // the window has settled on screen
    Button("addButton").installEventFilter(&watcher);
    prompts.fileToChoose = UiDataFile("sort_models.xml");
    QTest::mouseClick(&Button("addButton"), Qt::LeftButton);

    ASSERT_TRUE(installing);
    EXPECT_TRUE(atInstall.waitCursor);
    EXPECT_FALSE(atInstall.addEnabled);
    EXPECT_FALSE(atInstall.closeEnabled);
    EXPECT_TRUE(paintedAtInstall);
    EXPECT_EQ(ListedModels(*window).size(), 3U);
}

TEST_F(CommandsTest, F5AndDeleteReachAStoreFileReplacedFromOutside) {
    store.Install("three_kinds.xml");
    Open();
    store.ReplaceFile([](RegistryStore& restored) {
        RegistryKey key;
        std::string path;
        ASSERT_TRUE(ModelKeyPath(DeviceKind::LabelScale, path));
        ASSERT_EQ(key.Create(restored, path, KEY_READ_WRITE_ACCESS), 0);
        for (const char* name : {"Nowa W|Wagex", "Stara W|Wagex"}) {
            ASSERT_EQ(key.Get().SetValue(name, REG_SZ_TYPE, std::string("/w.xml") + '\0'), 0);
        }
        ASSERT_EQ(key.Close(), 0);
    });

    QTest::keyClick(&List(), Qt::Key_F5);
    EXPECT_EQ(ListedModels(*window), (Models{"Nowa W", "Stara W"}));
    prompts.answerYes = true;
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(store.EntryNames(DeviceKind::LabelScale),
              (std::vector<std::string>{"Stara W|Wagex"}));
    EXPECT_EQ(ListedModels(*window), (Models{"Stara W"}));
}

TEST_F(CommandsTest, NoMenuWithoutACurrentRow) {
    store.Install("three_kinds.xml");
    Open();
    Deselect();
    const QPoint inside = List().viewport()->rect().center();
    const PopupSeen seen = CatchPopupMenu([&] {
        QContextMenuEvent click(QContextMenuEvent::Mouse, inside,
                                List().viewport()->mapToGlobal(inside));
        QApplication::sendEvent(List().viewport(), &click);
    });
    EXPECT_FALSE(seen.shown);
}

TEST_F(CommandsTest, TheMenuOpensAtThePointerAndItsEntryRemoves) {
    store.Install("three_kinds.xml");
    Open();
    const QPoint inside = Button("addButton").rect().center();
    const QPoint global = Button("addButton").mapToGlobal(inside);
    prompts.answerYes = false;
    const PopupSeen seen = CatchPopupMenu(
        [&] {
            QContextMenuEvent click(QContextMenuEvent::Mouse, inside, global);
            QApplication::sendEvent(&Button("addButton"), &click);
        },
        [](QWidget& menu) { QTest::keyClick(&menu, Qt::Key_U); });
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.position, global);
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{RemovalQuestion("Alfa W")}));
}

TEST_F(CommandsTest, AKeyboardMenuRequestOpensAtTheWindowsCorner) {
    store.Install("three_kinds.xml");
    Open();
    const PopupSeen byMenuKey = CatchPopupMenu([&] {
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              List().mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&List(), &key);
    });
    EXPECT_TRUE(byMenuKey.shown);
    EXPECT_EQ(byMenuKey.position, window->frameGeometry().topLeft());

    // The keys go to the window again once the first menu has gone (the offscreen platform
    // gives the activation back only when asked).
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const PopupSeen byShiftF10 =
        CatchPopupMenu([&] { QTest::keyClick(&List(), Qt::Key_F10, Qt::ShiftModifier); });
    EXPECT_TRUE(byShiftF10.shown);
    EXPECT_EQ(byShiftF10.position, window->frameGeometry().topLeft());
}

TEST_F(CommandsTest, EnterInTheListClosesTheWindow) {
    store.Install("three_kinds.xml");
    Open();
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(CommandsTest, EscapeClosesTheWindow) {
    Open();
    QTest::keyClick(&List(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CommandsTest, DoubleClickOnlyMakesARowCurrent) {
    store.Install("three_kinds.xml");
    Open();
    QTreeView& list = List();
    const QPoint row = list.visualRect(list.model()->index(2, MODEL_COLUMN)).center();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(window->GetCurrentItem(), 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(prompts.fileDialogs, 0);
}

}  // namespace
}  // namespace pantrel::testing
