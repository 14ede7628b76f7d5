// The main window's commands and button states, shared by every toolkit.
#pragma once

#include <string>

#include "base/win32_status.h"
#include "registry/store_failure_text.h"
#include "ui/main_window_view.h"
#include "ui/model_list_logic.h"
#include "ui/store_access.h"
#include "ui/user_prompts.h"

namespace pantrel {

// The commands of the main window and the state of its buttons, the same for every toolkit:
// add the models of a chosen specification file, remove the current model after asking, re-read
// the list, and the hidden re-read of the current row. Each reaches the store through one fresh
// opening of it; every failure of the store is told in one error box naming the store and why.
class WindowCommands {
public:
    WindowCommands(MainWindowView& view, UserPrompts& prompts, StoreAccess store);

    ModelListLogic& List() { return list_; }
    const ModelListLogic& List() const { return list_; }

    // The shared end of opening the window: the first re-read, then the buttons as it leaves
    // them ("&Dodaj" and "Zamknij" enabled, "&Usuń" when a row is current).
    void InitList();
    // Re-reads every registered model (see ModelListLogic::RefreshList). A store that cannot be
    // read is told; a missing one is an empty list.
    void RefreshList();
    // Disables "&Dodaj" and "Zamknij" (and the row commands) around long work, remembering the
    // focus; enabling gives the row commands and the focus back only when a row is current.
    void EnableControls(bool enable);
    // A row's selection or focus changed; `newStateSet` when that row is now selected or focused.
    void OnItemChanged(bool newStateSet);
    // The file dialog: true with the chosen file's full path; false for a cancelled dialog or an
    // empty path, with `path` unchanged.
    bool SelectSpecificationFile(std::string& path);

    void OnAddSpecification();
    void OnRemoveModel();
    void OnRefreshList();
    void OnUpdateCurrent();
    void OnColumnClick(int column) { list_.OnColumnClick(column); }

private:
    // Runs `operation` on a fresh opening of the store; the first failure of the store, or 0.
    template <typename Operation>
    Status WithStore(Operation operation);
    void ShowStoreFailure(StoreOperation operation, Status status);

    MainWindowView& view_;
    UserPrompts& prompts_;
    StoreAccess store_;
    ModelListLogic list_;
};

// The text of the window's error box for a failure of the store: the command line's sentence,
// begun with a capital and ended with a full stop.
std::string StoreFailureMessage(StoreOperation operation, const std::string& storeName,
                                Status status);

// The removal question with the model's name in place of its "%s", taken literally.
std::string RemovalQuestion(const std::string& model);

}  // namespace pantrel
