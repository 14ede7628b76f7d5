#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "ui/list_row.h"
#include "ui/qt/model_list_table.h"

namespace pantrel::testing {
namespace {

// One QApplication for the whole test binary, on the offscreen platform whatever the machine has.
class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // A desktop in English: what the window shows must be Polish all the same.
        qputenv("LC_ALL", "en_US.UTF-8");
        application_ = std::make_unique<QApplication>(argc_, argv_.data());
    }
    void TearDown() override { application_.reset(); }

private:
    std::string name_ = "ui_tests";  // before argv_, which points into it
    int argc_ = 1;
    std::array<char*, 2> argv_{name_.data(), nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

void ShowAndActivate(CPantrelDlg& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

std::string CellText(const CPantrelDlg& window, int row, int column) {
    const QAbstractItemModel& rows = *Child<QTreeView>(window, "modelList").model();
    return rows.index(row, column).data().toString().toStdString();
}

DeviceKind RowKind(const CPantrelDlg& window, int row) {
    const QAbstractItemModel& rows = *Child<QTreeView>(window, "modelList").model();
    return KindFromCode(
        rows.index(row, KIND_COLUMN).data(qt::ModelListTable::KindRole).value<std::uint32_t>());
}

std::vector<std::string> ListedModels(const CPantrelDlg& window) {
    const int count = Child<QTreeView>(window, "modelList").model()->rowCount();
    std::vector<std::string> models;
    for (int row = 0; row < count; ++row) {
        models.push_back(CellText(window, row, MODEL_COLUMN));
    }
    return models;
}

PopupSeen CatchPopupMenu(const std::function<void()>& trigger,
                         const std::function<void(QWidget&)>& onPopup) {
    PopupSeen seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen, &onPopup] {
        if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr) {
            seen.shown = true;
            seen.position = popup->pos();
            if (onPopup) {
                onPopup(*popup);
            } else {
                popup->close();
            }
        }
    });
    poll.start();
    trigger();
    QTest::qWait(20);
    return seen;
}

bool CatchModalWindow(const std::function<void()>& trigger,
                      const std::function<void(QWidget&)>& onModal) {
    bool opened = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&opened, &onModal, &poll] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr) {
            opened = true;
            poll.stop();
            onModal(*modal);
        }
    });
    poll.start();
    trigger();
    // A mnemonic presses its button a moment after the key, as a click would.
    return QTest::qWaitFor([&opened] { return opened; }, 1000);
}

}  // namespace pantrel::testing
