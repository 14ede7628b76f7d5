#include "registry/sqlite_store.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>

#include "registry/sqlite_names.h"
#include "registry/sqlite_store_key.h"
#include "registry/sqlite_store_state.h"

namespace pantrel {

namespace {

bool IsWriteAccess(std::uint32_t access) {
    return (access & (KEY_SET_VALUE_ACCESS | KEY_CREATE_SUB_KEY_ACCESS)) != 0;
}

}  // namespace

std::filesystem::path DefaultStorePath() {
    const char* named = std::getenv("PANTREL_REGISTRY");
    if (named != nullptr && *named != '\0') {
        return named;
    }
    return "/var/lib/pantrel/registry.db";
}

bool IsPlainStorePath(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    if (name.empty() || name.front() == u8':' || !path.has_filename()) {
        return false;
    }
    // SQLite would take "file:…" for a URI; refused in any letter case.
    constexpr std::u8string_view uriScheme = u8"file:";
    return name.size() < uriScheme.size() ||
           !std::equal(uriScheme.begin(), uriScheme.end(), name.begin(),
                       [](char8_t a, char8_t b) { return a == std::tolower(b); });
}

SqliteRegistryStore::SqliteRegistryStore(std::filesystem::path path)
    : state_(std::make_shared<SqliteStoreState>(std::move(path))) {}

SqliteRegistryStore::~SqliteRegistryStore() = default;

const std::filesystem::path& SqliteRegistryStore::Path() const {
    return state_->Path();
}

std::uint64_t SqliteRegistryStore::CommitCount() const {
    return state_->Commits();
}

Status SqliteRegistryStore::OpenKey(std::string_view path, std::uint32_t access,
                                    std::unique_ptr<StoreKey>& key) {
    if (!SplitKeyPath(path)) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    const bool forWriting = IsWriteAccess(access);
    Status status = state_->Connect(forWriting, false);
    if (status != 0) {
        return status;
    }
    bool ready = false;
    if (status = state_->CheckSchema(ready); status != 0) {
        return status;
    }
    if (!ready) {
        return ERROR_FILE_NOT_FOUND_STATUS;
    }
    const std::string folded = FoldName(path);
    StoredKey found;
    if (forWriting && !state_->Writable()) {
        status = state_->FindKey(folded, found);
        return status == 0 ? ERROR_ACCESS_DENIED_STATUS : status;
    }
    const bool begins = forWriting && !state_->Writing();
    if (begins) {
        if (status = state_->BeginWriting(); status != 0) {
            return status;
        }
    }
    if (status = state_->FindKey(folded, found); status != 0) {
        if (begins) {
            state_->AbandonWriting();
        }
        return status;
    }
    key = std::make_unique<SqliteStoreKey>(state_, found, forWriting);
    return ERROR_SUCCESS_STATUS;
}

Status SqliteRegistryStore::CreateKey(std::string_view path, std::uint32_t access,
                                      std::unique_ptr<StoreKey>& key) {
    if (!SplitKeyPath(path)) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    Status status = state_->Connect(true, true);
    if (status != 0) {
        return status;
    }
    if (!state_->Writable()) {
        return ERROR_ACCESS_DENIED_STATUS;
    }
    bool ready = false;  // a foreign file is refused before anything in it is changed
    if (status = state_->CheckSchema(ready); status != 0) {
        return status;
    }
    const bool begins = !state_->Writing();
    if (begins) {
        if (status = state_->BeginWriting(); status != 0) {
            return status;
        }
    }
    StoredKey created;
    if (status = state_->CreateKeyPath(path, created); status != 0) {
        if (begins) {
            state_->AbandonWriting();
        }
        return status;
    }
    const bool forWriting = IsWriteAccess(access);
    if (begins && !forWriting) {
        // A key created for reading only: nothing else will commit its creation.
        if (status = state_->FinishWriting(); status != 0) {
            return status;
        }
    }
    key = std::make_unique<SqliteStoreKey>(state_, created, forWriting);
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
