#include "registry/win32_store.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/wide_text_win32.h"
#include "base/windows1250.h"
#include "registry/registry_writer_lock_win32.h"
#include "registry/sqlite_names.h"

namespace pantrel {
namespace {

// The longest value name the registry holds, in UTF-16 units, with its terminator.
constexpr DWORD kNameBufferUnits = MAX_VALUE_NAME_CHARACTERS + 1;

// How often a read is tried again with a larger buffer before its "more data" stands.
constexpr int kReadAttempts = 8;

// The first buffer for a value's data: a model entry's longest path, with room to spare.
constexpr DWORD kFirstDataBytes = 2048;

bool IsWriteAccess(std::uint32_t access) {
    return (access & (KEY_SET_VALUE_ACCESS | KEY_CREATE_SUB_KEY_ACCESS)) != 0;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A value's data as the interface carries it: strings as UTF-8 (the odd last byte of a
// malformed string dropped), anything else unchanged. `units` is what the capacity counts, as
// on every store: the size an ANSI reader of the registry (the universal driver) receives.
std::string DataFromRegistry(DWORD type, const std::vector<BYTE>& bytes, DWORD size,
                             std::size_t& units) {
    if (!IsStringType(type)) {
        units = size;
        return std::string(reinterpret_cast<const char*>(bytes.data()), size);
    }
    std::wstring wide(size / sizeof(wchar_t), L'\0');
    std::copy_n(bytes.data(), wide.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(wide.data()));
    std::string text = Utf8FromWide(wide);
    units = RegistryDataSize(type, text);
    return text;
}

// The bytes of a value's data for RegSetValueExW; `count` of them are the value. The registry
// looks one character past the count of a string and, finding a terminator there, stores it
// too, so a string written without its terminator would gain one by the chance of what lies
// behind the buffer. A character that is no terminator stands there instead: the data are
// stored exactly as given, as on every store.
Status DataToRegistry(DWORD type, std::string_view data, std::vector<BYTE>& bytes, DWORD& count) {
    if (!IsStringType(type)) {
        bytes.assign(data.begin(), data.end());
        count = static_cast<DWORD>(bytes.size());
        return ERROR_SUCCESS_STATUS;
    }
    std::wstring wide;
    if (const Status status = WideFromUtf8(data, wide); status != 0) {
        return status;
    }
    const auto* first = reinterpret_cast<const BYTE*>(wide.data());
    bytes.assign(first, first + wide.size() * sizeof(wchar_t));
    count = static_cast<DWORD>(bytes.size());
    bytes.resize(bytes.size() + sizeof(wchar_t), 0xFF);
    return ERROR_SUCCESS_STATUS;
}

class Win32StoreKey final : public StoreKey {
public:
    Win32StoreKey(HKEY key, bool writable, WriterHold hold)
        : key_(key), writable_(writable), hold_(std::move(hold)) {}
    ~Win32StoreKey() override { Close(); }

    Status Close() override {
        Status status = ERROR_SUCCESS_STATUS;
        if (key_ != nullptr) {
            status = static_cast<Status>(RegCloseKey(key_));
            key_ = nullptr;
        }
        hold_.Release();  // only once the key is closed may another writer go on
        return status;
    }

    Status EnumValue(std::uint32_t index, std::string& name, std::size_t nameCapacity,
                     std::string* data, std::size_t dataCapacity) override {
        name.clear();
        if (data != nullptr) {
            data->clear();
        }
        if (key_ == nullptr) {
            return ERROR_INVALID_HANDLE_STATUS;
        }
        // One call per value when its data fit the buffer, which lists of thousands of models
        // feel; the buffers stay with the key from one value to the next.
        enumName_.resize(kNameBufferUnits);
        std::wstring& wideName = enumName_;
        std::vector<BYTE>& bytes = enumData_;
        DWORD capacity = kFirstDataBytes;
        DWORD type = REG_NONE;
        int attempts = 0;
        while (true) {
            DWORD nameUnits = kNameBufferUnits;
            DWORD size = 0;
            LSTATUS status = ERROR_SUCCESS;
            if (data == nullptr) {
                status = RegEnumValueW(key_, index, wideName.data(), &nameUnits, nullptr, &type,
                                       nullptr, nullptr);
            } else {
                // Room for a character more than the registry may fill: only the stored bytes
                // are the value.
                bytes.assign(capacity + sizeof(wchar_t), 0);
                size = capacity;
                status = RegEnumValueW(key_, index, wideName.data(), &nameUnits, nullptr, &type,
                                       bytes.data(), &size);
                if (status == ERROR_MORE_DATA && size > capacity && ++attempts < kReadAttempts) {
                    capacity = size;  // the size the value has, or has grown to meanwhile
                    continue;
                }
            }
            if (status != ERROR_SUCCESS) {
                return static_cast<Status>(status);
            }
            name = Utf8FromWide(std::wstring_view{wideName.data(), nameUnits});
            if (RegistryTextLength(name) + 1 > nameCapacity) {
                name.clear();
                return ERROR_MORE_DATA_STATUS;
            }
            if (data != nullptr) {
                std::size_t units = 0;
                *data = DataFromRegistry(type, bytes, size, units);
                if (units > dataCapacity) {
                    name.clear();
                    data->clear();
                    return ERROR_MORE_DATA_STATUS;
                }
            }
            return ERROR_SUCCESS_STATUS;
        }
    }

    Status QueryValue(std::string_view name, std::uint32_t& type, std::string& data,
                      std::size_t capacity, std::size_t& size) override {
        data.clear();
        size = 0;
        if (key_ == nullptr) {
            return ERROR_INVALID_HANDLE_STATUS;
        }
        std::wstring wideName;
        if (const Status status = WideFromUtf8(name, wideName); status != 0) {
            return status;
        }
        std::vector<BYTE> bytes;
        DWORD valueType = REG_NONE;
        DWORD byteSize = 0;
        int attempts = 0;
        while (true) {
            // As in EnumValue: the stored size first, then the data with room to spare.
            DWORD stored = 0;
            LSTATUS status =
                RegQueryValueExW(key_, wideName.c_str(), nullptr, &valueType, nullptr, &stored);
            if (status == ERROR_SUCCESS) {
                bytes.assign(stored + sizeof(wchar_t), 0);
                byteSize = static_cast<DWORD>(bytes.size());
                status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &valueType, bytes.data(),
                                          &byteSize);
                if (status == ERROR_MORE_DATA && ++attempts < kReadAttempts) {
                    continue;  // the value grew meanwhile
                }
                byteSize = std::min(byteSize, stored);
            }
            if (status != ERROR_SUCCESS) {
                return static_cast<Status>(status);
            }
            break;
        }
        type = valueType;
        std::size_t units = 0;
        std::string converted = DataFromRegistry(valueType, bytes, byteSize, units);
        size = units;
        if (units > capacity) {
            return ERROR_MORE_DATA_STATUS;
        }
        data = std::move(converted);
        return ERROR_SUCCESS_STATUS;
    }

    Status SetValue(std::string_view name, std::uint32_t type, std::string_view data) override {
        if (const Status status = CheckWritable(); status != 0) {
            return status;
        }
        if (!IsStorableValue(name, data.size())) {
            return ERROR_INVALID_PARAMETER_STATUS;
        }
        std::wstring wideName;
        std::vector<BYTE> bytes;
        if (const Status status = WideFromUtf8(name, wideName); status != 0) {
            return status;
        }
        DWORD count = 0;
        if (const Status status = DataToRegistry(type, data, bytes, count); status != 0) {
            return status;
        }
        return static_cast<Status>(
            RegSetValueExW(key_, wideName.c_str(), 0, type, bytes.data(), count));
    }

    Status DeleteValue(std::string_view name) override {
        if (const Status status = CheckWritable(); status != 0) {
            return status;
        }
        std::wstring wideName;
        if (const Status status = WideFromUtf8(name, wideName); status != 0) {
            return status;
        }
        return static_cast<Status>(RegDeleteValueW(key_, wideName.c_str()));
    }

    Status EnumSubKey(std::uint32_t index, std::string& name) override {
        name.clear();
        if (key_ == nullptr) {
            return ERROR_INVALID_HANDLE_STATUS;
        }
        std::wstring wideName(MAX_KEY_NAME_CHARACTERS + 1, L'\0');
        DWORD units = static_cast<DWORD>(wideName.size());
        const LSTATUS status =
            RegEnumKeyExW(key_, index, wideName.data(), &units, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            return static_cast<Status>(status);
        }
        name = Utf8FromWide(std::wstring_view{wideName.data(), units});
        return ERROR_SUCCESS_STATUS;
    }

    Status DeleteSubKey(std::string_view name) override {
        // The registry asks for delete rights on the subkey, not on this key; the store's
        // promise is that a key opened for reading changes nothing.
        if (const Status status = CheckWritable(); status != 0) {
            return status;
        }
        if (!SplitKeyPath(name)) {
            return ERROR_INVALID_PARAMETER_STATUS;
        }
        std::wstring wideName;
        if (const Status status = WideFromUtf8(name, wideName); status != 0) {
            return status;
        }
        return static_cast<Status>(RegDeleteKeyExW(key_, wideName.c_str(), KEY_WOW64_32KEY, 0));
    }

private:
    std::wstring enumName_;
    std::vector<BYTE> enumData_;

    Status CheckWritable() const {
        if (key_ == nullptr) {
            return ERROR_INVALID_HANDLE_STATUS;
        }
        return writable_ ? ERROR_SUCCESS_STATUS : ERROR_ACCESS_DENIED_STATUS;
    }

    HKEY key_;
    bool writable_;
    WriterHold hold_;
};

}  // namespace

Win32RegistryStore::Win32RegistryStore(std::string root)
    : root_(std::move(root)), writers_(std::make_shared<RegistryWriterLock>()) {}

Win32RegistryStore::~Win32RegistryStore() = default;

Status Win32RegistryStore::OpenKey(std::string_view path, std::uint32_t access,
                                   std::unique_ptr<StoreKey>& key) {
    return Open(path, access, false, key);
}

Status Win32RegistryStore::CreateKey(std::string_view path, std::uint32_t access,
                                     std::unique_ptr<StoreKey>& key) {
    return Open(path, access, true, key);
}

Status Win32RegistryStore::Open(std::string_view path, std::uint32_t access, bool create,
                                std::unique_ptr<StoreKey>& key) {
    if (!SplitKeyPath(path)) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    std::wstring widePath;
    const std::string full = root_.empty() ? std::string{path} : root_ + "\\" + std::string{path};
    if (const Status status = WideFromUtf8(full, widePath); status != 0) {
        return status;
    }
    // Creating writes even when the key is then held for reading only.
    const bool writes = IsWriteAccess(access);
    WriterHold hold;
    if (writes || create) {
        if (const Status status = HoldWriterLock(writers_, hold); status != 0) {
            return status;
        }
    }
    const REGSAM rights = static_cast<REGSAM>(access) | KEY_WOW64_32KEY;
    HKEY opened = nullptr;
    const LSTATUS status =
        create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, widePath.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, rights, nullptr, &opened, nullptr)
               : RegOpenKeyExW(HKEY_LOCAL_MACHINE, widePath.c_str(), 0, rights, &opened);
    if (status != ERROR_SUCCESS) {
        return static_cast<Status>(status);
    }
    if (!writes) {
        hold.Release();
    }
    key = std::make_unique<Win32StoreKey>(opened, writes, std::move(hold));
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
