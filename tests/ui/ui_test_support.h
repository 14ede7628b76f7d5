#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "registry/sqlite_store.h"
#include "ui/pantrel_dlg.h"
#include "ui/user_prompts.h"

namespace pantrel::testing {

// A store on a file of its own in a fresh temporary folder, removed afterwards.
class TempStore {
public:
    TempStore();
    ~TempStore();
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

    SqliteRegistryStore& Hive() { return *store_; }
    const std::filesystem::path& Folder() const { return folder_; }

    // Installs a specification file of tests/data/ui; the number of entries written.
    int Install(const std::string& fileName);
    // Writes one model entry directly, also one the install code would never write.
    void WriteEntry(DeviceKind kind, const std::string& valueName, const std::string& data);
    // Deletes one model entry directly, as another tool would.
    void DeleteEntry(DeviceKind kind, const std::string& valueName);
    // The value names of a kind's model key, in registry order.
    std::vector<std::string> EntryNames(DeviceKind kind);

private:
    std::filesystem::path folder_;
    std::unique_ptr<SqliteRegistryStore> store_;
};

std::string UiDataFile(const std::string& fileName);

// Answers the window's prompts as a test tells it to and records what they showed.
class ScriptedPrompts final : public UserPrompts {
public:
    bool SelectSpecificationFile(QWidget& owner, std::string& path) override;
    void ShowInformation(QWidget& owner, const std::string& text) override;
    bool AskYesNo(QWidget& owner, const std::string& text) override;
    void ShowError(QWidget& owner, const std::string& text) override;

    // The file the dialog "chooses"; empty for a cancelled dialog.
    std::string fileToChoose;
    bool answerYes = false;
    // Runs inside every prompt, to look at the window while the prompt is open.
    std::function<void()> whilePromptOpen;

    int fileDialogs = 0;
    std::vector<std::string> informations;
    std::vector<std::string> questions;
    std::vector<std::string> errors;

private:
    void PromptOpened();
};

// The window on a store, shown and active so that its keys reach it.
void ShowAndActivate(CPantrelDlg& window);

// The model names of the list, top to bottom.
std::vector<std::string> ListedModels(const CPantrelDlg& window);

// Whether a popup menu opened while `trigger` ran, and where. `onPopup` acts on it (by default
// it is closed without a choice).
struct PopupSeen {
    bool shown = false;
    QPoint position;
};
PopupSeen CatchPopupMenu(const std::function<void()>& trigger,
                         const std::function<void(QWidget&)>& onPopup = {});

// Runs `trigger`, and `onModal` on the modal window that it opens (which `onModal` must close);
// false when none opened.
bool CatchModalWindow(const std::function<void()>& trigger,
                      const std::function<void(QWidget&)>& onModal);

// The window's child of that object name.
template <typename Widget>
Widget& Child(const QWidget& window, const char* objectName) {
    auto* child = window.findChild<Widget*>(QString::fromLatin1(objectName));
    if (child == nullptr) {
        throw std::logic_error(std::string("no child ") + objectName);
    }
    return *child;
}

}  // namespace pantrel::testing
