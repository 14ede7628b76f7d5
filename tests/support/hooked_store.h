// A store wrapper that runs a test's hooks at chosen calls.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "registry/registry_store.h"

namespace pantrel::testing_support {

// What a test wants to do at chosen moments of the calls that pass through a HookedStore.
struct StoreHooks {
    // Before every OpenKey and CreateKey, with the key's path.
    std::function<void(std::string_view path)> beforeOpen;
    // After every EnumValue, with whether the data were asked for and the status it answers.
    std::function<void(std::uint32_t index, bool withData, Status status)> afterEnumValue;
    // After every SetValue that succeeded.
    std::function<void()> afterSetValue;
    // After every DeleteValue that succeeded.
    std::function<void()> afterDeleteValue;
    // Set to answer KeepsWriteSpansWhole in place of the store, e.g. so that a SQLite store
    // records its work as the registry must.
    std::optional<bool> keepsWriteSpansWhole;
    // Set to refuse every open or creation for writing with 5, as a registry without the rights.
    bool refuseWrites = false;
    // Before every CreateKey, with the key's path: a nonzero status is answered in its place.
    std::function<Status(std::string_view path)> refuseCreate;
    // Before every SetValue, DeleteValue and DeleteSubKey, with the value's or subkey's name: a
    // nonzero status is answered in its place.
    std::function<Status(std::string_view name)> refuseWrite;
    // Before every QueryValue, with the value's name: a nonzero status is answered in its place.
    std::function<Status(std::string_view name)> refuseRead;
};

// Passes every call on to another store and runs the hooks at their moments, so that a test can
// put another writer, or the end of the process, exactly between two steps of an operation.
class HookedStore final : public RegistryStore {
public:
    HookedStore(RegistryStore& store, StoreHooks hooks) : store_(store), hooks_(std::move(hooks)) {}
    // The same over a store it owns, as the window opens one afresh for every operation.
    HookedStore(std::unique_ptr<RegistryStore> store, StoreHooks hooks)
        : owned_(std::move(store)), store_(*owned_), hooks_(std::move(hooks)) {}

    Status OpenKey(std::string_view path, std::uint32_t access,
                   std::unique_ptr<StoreKey>& key) override {
        if (hooks_.beforeOpen) {
            hooks_.beforeOpen(path);
        }
        if (hooks_.refuseWrites && (access & KEY_SET_VALUE_ACCESS) != 0) {
            return ERROR_ACCESS_DENIED_STATUS;
        }
        return Wrap(store_.OpenKey(path, access, key), key, access);
    }
    Status CreateKey(std::string_view path, std::uint32_t access,
                     std::unique_ptr<StoreKey>& key) override {
        if (hooks_.beforeOpen) {
            hooks_.beforeOpen(path);
        }
        if (hooks_.refuseWrites) {
            return ERROR_ACCESS_DENIED_STATUS;
        }
        if (const Status refused = hooks_.refuseCreate ? hooks_.refuseCreate(path) : 0;
            refused != ERROR_SUCCESS_STATUS) {
            return refused;
        }
        return Wrap(store_.CreateKey(path, access, key), key, access);
    }
    bool KeepsWriteSpansWhole() const override {
        return hooks_.keepsWriteSpansWhole.value_or(store_.KeepsWriteSpansWhole());
    }
    // Keys opened or created for writing and not closed yet: while one is open, the registry's
    // other writers wait.
    int OpenWriteKeys() const { return openWriteKeys_; }

private:
    class Key final : public StoreKey {
    public:
        Key(std::unique_ptr<StoreKey> key, const StoreHooks& hooks, int* openWriteKeys)
            : key_(std::move(key)), hooks_(hooks), openWriteKeys_(openWriteKeys) {
            if (openWriteKeys_ != nullptr) {
                ++*openWriteKeys_;
            }
        }
        Key(const Key&) = delete;
        Key& operator=(const Key&) = delete;
        ~Key() override { Uncount(); }
        Status Close() override {
            Uncount();
            return key_->Close();
        }
        Status EnumValue(std::uint32_t index, std::string& name, std::size_t nameCapacity,
                         std::string* data, std::size_t dataCapacity) override {
            const Status status = key_->EnumValue(index, name, nameCapacity, data, dataCapacity);
            if (hooks_.afterEnumValue) {
                hooks_.afterEnumValue(index, data != nullptr, status);
            }
            return status;
        }
        Status QueryValue(std::string_view name, std::uint32_t& type, std::string& data,
                          std::size_t capacity, std::size_t& size) override {
            if (const Status refused = hooks_.refuseRead ? hooks_.refuseRead(name) : 0;
                refused != ERROR_SUCCESS_STATUS) {
                return refused;
            }
            return key_->QueryValue(name, type, data, capacity, size);
        }
        Status SetValue(std::string_view name, std::uint32_t type, std::string_view data) override {
            if (const Status refused = Refused(name); refused != ERROR_SUCCESS_STATUS) {
                return refused;
            }
            const Status status = key_->SetValue(name, type, data);
            if (status == ERROR_SUCCESS_STATUS && hooks_.afterSetValue) {
                hooks_.afterSetValue();
            }
            return status;
        }
        Status DeleteValue(std::string_view name) override {
            if (const Status refused = Refused(name); refused != ERROR_SUCCESS_STATUS) {
                return refused;
            }
            const Status status = key_->DeleteValue(name);
            if (status == ERROR_SUCCESS_STATUS && hooks_.afterDeleteValue) {
                hooks_.afterDeleteValue();
            }
            return status;
        }
        Status EnumSubKey(std::uint32_t index, std::string& name) override {
            return key_->EnumSubKey(index, name);
        }
        Status DeleteSubKey(std::string_view name) override {
            if (const Status refused = Refused(name); refused != ERROR_SUCCESS_STATUS) {
                return refused;
            }
            return key_->DeleteSubKey(name);
        }

    private:
        Status Refused(std::string_view name) const {
            return hooks_.refuseWrite ? hooks_.refuseWrite(name) : ERROR_SUCCESS_STATUS;
        }
        void Uncount() {
            if (openWriteKeys_ != nullptr) {
                --*openWriteKeys_;
                openWriteKeys_ = nullptr;
            }
        }

        std::unique_ptr<StoreKey> key_;
        const StoreHooks& hooks_;
        int* openWriteKeys_;
    };

    Status Wrap(Status status, std::unique_ptr<StoreKey>& key, std::uint32_t access) {
        if (status == ERROR_SUCCESS_STATUS) {
            const bool forWriting =
                (access & (KEY_SET_VALUE_ACCESS | KEY_CREATE_SUB_KEY_ACCESS)) != 0;
            key = std::make_unique<Key>(std::move(key), hooks_,
                                        forWriting ? &openWriteKeys_ : nullptr);
        }
        return status;
    }

    std::unique_ptr<RegistryStore> owned_;
    RegistryStore& store_;
    StoreHooks hooks_;
    int openWriteKeys_ = 0;
};

}  // namespace pantrel::testing_support
