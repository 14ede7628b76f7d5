#include "registry/failure_recording_store.h"

#include <utility>

namespace pantrel {
namespace {

// Records a failed commit when the key is closed.
class RecordingKey final : public StoreKey {
public:
    RecordingKey(std::unique_ptr<StoreKey> key, FailureRecordingStore& owner)
        : key_(std::move(key)), owner_(owner) {}
    ~RecordingKey() override { RecordingKey::Close(); }

    Status Close() override {
        if (!key_) {
            return ERROR_SUCCESS_STATUS;
        }
        const Status status = key_->Close();
        key_.reset();
        owner_.Record(status);
        return status;
    }
    // The end of the list and a value too long to read are answers, not failures of the store.
    Status EnumValue(std::uint32_t index, std::string& name, std::size_t nameCapacity,
                     std::string* data, std::size_t dataCapacity) override {
        const Status status = key_->EnumValue(index, name, nameCapacity, data, dataCapacity);
        if (status != ERROR_NO_MORE_ITEMS_STATUS && status != ERROR_MORE_DATA_STATUS) {
            owner_.Record(status);
        }
        return status;
    }
    Status EnumSubKey(std::uint32_t index, std::string& name) override {
        return key_->EnumSubKey(index, name);
    }
    Status QueryValue(std::string_view name, std::uint32_t& type, std::string& data,
                      std::size_t capacity, std::size_t& size) override {
        return key_->QueryValue(name, type, data, capacity, size);
    }
    // A write refused (a read-only store, a value gone meanwhile is no failure) is recorded even
    // where the caller goes on past it, so that a removal that deleted nothing can be told.
    Status SetValue(std::string_view name, std::uint32_t type, std::string_view data) override {
        const Status status = key_->SetValue(name, type, data);
        owner_.Record(status);
        return status;
    }
    Status DeleteValue(std::string_view name) override {
        const Status status = key_->DeleteValue(name);
        owner_.Record(status);
        return status;
    }
    Status DeleteSubKey(std::string_view name) override { return key_->DeleteSubKey(name); }

private:
    std::unique_ptr<StoreKey> key_;
    FailureRecordingStore& owner_;
};

}  // namespace

void FailureRecordingStore::Record(Status status) {
    if (firstFailure_ == ERROR_SUCCESS_STATUS && status != ERROR_SUCCESS_STATUS &&
        status != ERROR_FILE_NOT_FOUND_STATUS) {
        firstFailure_ = status;
    }
}

Status FailureRecordingStore::Wrap(Status status, std::unique_ptr<StoreKey>& key) {
    Record(status);
    if (status == ERROR_SUCCESS_STATUS) {
        key = std::make_unique<RecordingKey>(std::move(key), *this);
    }
    return status;
}

Status FailureRecordingStore::OpenKey(std::string_view path, std::uint32_t access,
                                      std::unique_ptr<StoreKey>& key) {
    return Wrap(store_.OpenKey(path, access, key), key);
}

Status FailureRecordingStore::CreateKey(std::string_view path, std::uint32_t access,
                                        std::unique_ptr<StoreKey>& key) {
    return Wrap(store_.CreateKey(path, access, key), key);
}

}  // namespace pantrel
