#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <random>

#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/specification_install.h"
#include "spec/message_sink.h"

namespace pantrel::testing {
namespace {

// One QApplication for the whole test binary, on the offscreen platform whatever the machine has.
class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
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

class RecordingSink final : public MessageSink {
public:
    void ShowError(const std::string& text) override { ADD_FAILURE() << "loader says: " << text; }
};

std::string ModelKey(DeviceKind kind) {
    std::string path;
    EXPECT_TRUE(ModelKeyPath(kind, path));
    return path;
}

}  // namespace

TempStore::TempStore() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("pantrel-ui-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder_);
    store_ = std::make_unique<SqliteRegistryStore>(folder_ / "registry.db");
}

TempStore::~TempStore() {
    store_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

int TempStore::Install(const std::string& fileName) {
    RecordingSink sink;
    int count = 0;
    EXPECT_TRUE(InstallSpecification(*store_, UiDataFile(fileName), sink, &count)) << fileName;
    return count;
}

void TempStore::WriteEntry(DeviceKind kind, const std::string& valueName, const std::string& data) {
    RegistryKey key;
    ASSERT_EQ(key.Create(*store_, ModelKey(kind), KEY_READ_WRITE_ACCESS), 0);
    ASSERT_EQ(key.Get().SetValue(valueName, REG_SZ_TYPE, data + std::string(1, '\0')), 0);
    ASSERT_EQ(key.Close(), 0);
}

void TempStore::DeleteEntry(DeviceKind kind, const std::string& valueName) {
    RegistryKey key;
    ASSERT_EQ(key.Open(*store_, ModelKey(kind), KEY_READ_WRITE_ACCESS), 0);
    ASSERT_EQ(key.Get().DeleteValue(valueName), 0);
    ASSERT_EQ(key.Close(), 0);
}

std::vector<std::string> TempStore::EntryNames(DeviceKind kind) {
    std::vector<std::string> names;
    RegistryKey key;
    if (key.Open(*store_, ModelKey(kind), KEY_READ_ACCESS) != 0) {
        return names;
    }
    std::string name;
    for (std::uint32_t index = 0;
         key.Get().EnumValue(index, name, MODEL_ENTRY_NAME_CAPACITY, nullptr, 0) == 0; ++index) {
        names.push_back(name);
    }
    return names;
}

std::string UiDataFile(const std::string& fileName) {
    return std::string(PANTREL_TEST_DATA_DIR) + "/ui/" + fileName;
}

void ScriptedPrompts::PromptOpened() {
    if (whilePromptOpen) {
        whilePromptOpen();
    }
}

bool ScriptedPrompts::SelectSpecificationFile(QWidget& /*owner*/, std::string& path) {
    ++fileDialogs;
    PromptOpened();
    if (fileToChoose.empty()) {
        return false;
    }
    path = fileToChoose;
    return true;
}

void ScriptedPrompts::ShowInformation(QWidget& /*owner*/, const std::string& text) {
    informations.push_back(text);
    PromptOpened();
}

bool ScriptedPrompts::AskYesNo(QWidget& /*owner*/, const std::string& text) {
    questions.push_back(text);
    PromptOpened();
    return answerYes;
}

void ScriptedPrompts::ShowError(QWidget& /*owner*/, const std::string& text) {
    errors.push_back(text);
    PromptOpened();
}

void ShowAndActivate(CPantrelDlg& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

std::vector<std::string> ListedModels(const CPantrelDlg& window) {
    const auto* list = window.findChild<QTreeView*>(QStringLiteral("modelList"));
    std::vector<std::string> models;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        models.push_back(window.GetItemModel(row));
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
