#include "ui_store_support.h"

#include <gtest/gtest.h>

#include <random>
#include <system_error>
#include <utility>

#include "base/message_sink.h"
#include "install/specification_install.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"

namespace pantrel::testing {
namespace {

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
    store_ = std::make_unique<SqliteRegistryStore>(File());
}

StoreAccess TempStore::Access(std::function<void()> onOpen) {
    return StoreAccess{
        File().string(),
        [file = File(), onOpen = std::move(onOpen)]() -> std::unique_ptr<RegistryStore> {
            if (onOpen) {
                onOpen();
            }
            return std::make_unique<SqliteRegistryStore>(file);
        }};
}

void TempStore::ReplaceFile(const std::function<void(RegistryStore&)>& fill) {
    // The old file's connection goes first, so that its journal goes with it.
    store_.reset();
    const std::filesystem::path replacement = folder_ / "restored.db";
    {
        SqliteRegistryStore fresh(replacement);
        fill(fresh);
    }
    std::filesystem::rename(replacement, File());
    store_ = std::make_unique<SqliteRegistryStore>(File());
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

bool ScriptedPrompts::SelectSpecificationFile(std::string& path) {
    ++fileDialogs;
    PromptOpened();
    if (fileToChoose.empty()) {
        return false;
    }
    path = fileToChoose;
    return true;
}

void ScriptedPrompts::ShowInformation(const std::string& text) {
    informations.push_back(text);
    PromptOpened();
}

bool ScriptedPrompts::AskYesNo(const std::string& text) {
    questions.push_back(text);
    PromptOpened();
    return answerYes;
}

void ScriptedPrompts::ShowError(const std::string& text) {
    errors.push_back(text);
    PromptOpened();
}

}  // namespace pantrel::testing
