#include "ui/window_commands.h"

#include <memory>
#include <utility>
#include <vector>

#include "install/interrupted_work.h"
#include "install/specification_install.h"
#include "kinds/string_table.h"
#include "registry/model_registry.h"
#include "registry/registered_models.h"
#include "ui/prompt_message_sink.h"

namespace pantrel {
namespace {

// Shows the wait cursor for as long as it lives, whichever way the command is left.
class WaitCursorScope {
public:
    explicit WaitCursorScope(MainWindowView& view) : view_(view) { view_.BeginWaitCursor(); }
    ~WaitCursorScope() { view_.EndWaitCursor(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    MainWindowView& view_;
};

// A sentence the command line words after its name, as the text of a box: a capital first
// and a full stop at its end.
std::string AsBoxText(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    text += '.';
    return text;
}

// What an operation did when the store could not even be opened.
RegistrationResult StoreNotOpened() {
    RegistrationResult result;
    result.outcome = RegistrationOutcome::StoreFailed;
    result.firstFailure = ERROR_INVALID_HANDLE_STATUS;
    return result;
}

}  // namespace

std::string StoreFailureMessage(StoreOperation operation, const std::string& storeName,
                                Status status) {
    return AsBoxText(StoreFailureText(operation, storeName, status));
}

std::string RemovalQuestion(const std::string& model) {
    std::string text{LoadResourceString(IDS_CONFIRM_REMOVAL)};
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, model);
    }
    return text;
}

WindowCommands::WindowCommands(MainWindowView& view, UserPrompts& prompts, StoreAccess store)
    : view_(view), prompts_(prompts), store_(std::move(store)), list_(view) {}

template <typename Result, typename Operation>
Result WindowCommands::WithStore(Result unopened, Operation operation) {
    const std::unique_ptr<RegistryStore> hive = store_.open ? store_.open() : nullptr;
    if (!hive) {
        return unopened;
    }
    return operation(*hive);
}

void WindowCommands::ShowStoreFailure(StoreOperation operation, const RegistrationResult& result) {
    if (!result.StoreRefused()) {
        return;
    }
    std::string text = StoreFailureMessage(operation, store_.name, result.firstFailure);
    const std::string done = CommittedKindsText(operation, result.committed);
    if (!done.empty()) {
        text += '\n';
        text += AsBoxText(done);
    }
    prompts_.ShowError(text);
}

void WindowCommands::InitList() {
    // What a killed install or uninstall left unfinished is finished before the first re-read.
    // The store is used as it is: a failure to finish is told as such, not as a failed re-read.
    if (const std::unique_ptr<RegistryStore> hive = store_.open ? store_.open() : nullptr) {
        PromptMessageSink sink{prompts_};
        FinishInterruptedWork(*hive, sink);
    }
    RefreshList();
    EnableControls(true);
}

void WindowCommands::RefreshList() {
    ModelListing listing =
        WithStore(ModelListing{{}, ERROR_INVALID_HANDLE_STATUS},
                  [](RegistryStore& hive) { return ReadRegisteredModels(hive); });
    list_.RefreshList(std::move(listing.models));
    if (listing.failure != ERROR_SUCCESS_STATUS) {
        prompts_.ShowError(StoreFailureMessage(StoreOperation::Read, store_.name, listing.failure));
    }
}

void WindowCommands::EnableControls(bool enable) {
    if (!enable) {
        view_.RememberFocus();
    }
    view_.EnableGeneralCommands(enable);
    const bool rowCommands = enable && view_.GetCurrentItem() != -1;
    view_.EnableRowCommands(rowCommands);
    if (rowCommands) {
        view_.RestoreFocus();
    }
}

void WindowCommands::OnItemChanged(bool newStateSet) {
    view_.EnableRowCommands(newStateSet || view_.GetCurrentItem() != -1);
}

bool WindowCommands::SelectSpecificationFile(std::string& path) {
    std::string chosen;
    if (!prompts_.SelectSpecificationFile(chosen) || chosen.empty()) {
        return false;
    }
    path = std::move(chosen);
    return true;
}

void WindowCommands::OnAddSpecification() {
    std::string path;
    if (!SelectSpecificationFile(path)) {
        return;
    }
    // The install would refuse it without a word: its entries could never be listed here.
    if (!IsListableSpecificationPath(path)) {
        prompts_.ShowError(AsBoxText(UnlistablePathText(path)));
        return;
    }
    const WaitCursorScope wait{view_};
    EnableControls(false);
    // The closed dialog's area and the disabled buttons are painted before the install, which
    // may take seconds for a large file.
    view_.ShowStateNow();
    PromptMessageSink sink{prompts_};
    const RegistrationResult result = WithStore(StoreNotOpened(), [&](RegistryStore& hive) {
        return InstallSpecification(hive, path, sink);
    });
    ShowStoreFailure(StoreOperation::WriteModels, result);
    // An install that went through, or whose only trouble was values the store refused, shows
    // what it registered; one stopped at a kind re-reads nothing (its box says what it did).
    const bool wentThrough =
        result.Succeeded() || result.outcome == RegistrationOutcome::ValuesRefused;
    if (wentThrough && result.Total() > 0) {
        RefreshList();
    }
    EnableControls(true);
}

void WindowCommands::OnRemoveModel() {
    const int row = view_.GetCurrentItem();
    if (row == -1) {
        prompts_.ShowInformation(std::string{LoadResourceString(IDS_NO_DRIVER_CHOSEN)});
        return;
    }
    if (!prompts_.AskYesNo(RemovalQuestion(view_.Rows().Row(row).model))) {
        return;
    }
    const WaitCursorScope wait{view_};
    EnableControls(false);
    const ListRow& chosen = view_.Rows().Row(row);
    const std::string producer = chosen.producer;
    const std::string model = chosen.model;
    const DeviceKind kind = chosen.kind;
    view_.ShowStateNow();
    const RegistrationResult result = WithStore(StoreNotOpened(), [&](RegistryStore& hive) {
        return RemoveModel(hive, kind, model, producer);
    });
    // When the store refused, nothing was removed: the list stays as it is, and one box says why.
    ShowStoreFailure(StoreOperation::RemoveModel, result);
    if (result.Succeeded()) {
        RefreshList();
    }
    EnableControls(true);
}

void WindowCommands::OnRefreshList() {
    const WaitCursorScope wait{view_};
    RefreshList();
}

void WindowCommands::OnUpdateCurrent() {
    if (view_.GetCurrentItem() == -1) {
        prompts_.ShowInformation(std::string{LoadResourceString(IDS_NO_DRIVER_CHOSEN)});
        return;
    }
    RefreshList();
    EnableControls(true);
}

}  // namespace pantrel
