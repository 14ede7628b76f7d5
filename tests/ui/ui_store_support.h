// Temporary stores and driver files for the window tests.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "registry/sqlite_store.h"
#include "ui/store_access.h"
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
    std::filesystem::path File() const { return folder_ / "registry.db"; }
    // The store as the window reaches it, opened afresh for each operation; `onOpen` runs at
    // every opening.
    StoreAccess Access(std::function<void()> onOpen = {});
    // Replaces the store file from outside, as a restore would: a new file filled by `fill` is
    // renamed over it.
    void ReplaceFile(const std::function<void(RegistryStore&)>& fill);

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
    bool SelectSpecificationFile(std::string& path) override;
    void ShowInformation(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;

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

}  // namespace pantrel::testing
