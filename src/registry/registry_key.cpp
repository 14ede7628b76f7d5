#include "registry/registry_key.h"

#include <utility>

namespace pantrel {
namespace {

// The text a NUL-terminated buffer would hold: the data up to their first NUL.
std::string TextUpToNul(const std::string& data) {
    return data.substr(0, data.find('\0'));
}

}  // namespace

Status RegistryKey::Hold(Status opened, std::unique_ptr<StoreKey> key) {
    if (opened != ERROR_SUCCESS_STATUS) {
        return opened;  // nothing opened: the key held before stays
    }
    Status status = ERROR_SUCCESS_STATUS;
    if (key_) {
        status = key_->Close();
    }
    key_ = std::move(key);
    return status;
}

Status RegistryKey::Open(RegistryStore& parent, std::string_view path, std::uint32_t access) {
    std::unique_ptr<StoreKey> key;
    const Status status = parent.OpenKey(path, access, key);
    return Hold(status, std::move(key));
}

Status RegistryKey::Create(RegistryStore& parent, std::string_view path, std::uint32_t access) {
    std::unique_ptr<StoreKey> key;
    const Status status = parent.CreateKey(path, access, key);
    return Hold(status, std::move(key));
}

Status RegistryKey::Close() {
    if (!key_) {
        return ERROR_SUCCESS_STATUS;
    }
    const Status status = key_->Close();
    key_.reset();
    return status;
}

Status RegistryKey::QueryText(std::string_view name, std::string& text,
                              std::size_t bufferSize) const {
    text.clear();
    if (!key_) {
        return ERROR_INVALID_HANDLE_STATUS;
    }
    std::uint32_t type = REG_NONE_TYPE;
    std::string data;
    std::size_t size = 0;
    const Status status = key_->QueryValue(name, type, data, bufferSize, size);
    // Data that do not fit the buffer are never looked at: the caller gets an empty text.
    if (status == ERROR_MORE_DATA_STATUS) {
        return status;
    }
    if (status != ERROR_SUCCESS_STATUS || data.empty()) {
        return status;
    }
    const bool endsInNul = data.back() == '\0';
    const bool isString = type == REG_SZ_TYPE || type == REG_EXPAND_SZ_TYPE;
    const bool isMultiString =
        type == REG_MULTI_SZ_TYPE && (data.size() == 1 || data[data.size() - 2] == '\0');
    if (endsInNul && (isString || isMultiString)) {
        text = TextUpToNul(data);
        return status;
    }
    return ERROR_INVALID_DATA_STATUS;
}

}  // namespace pantrel
