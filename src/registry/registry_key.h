// An owner of one open registry key.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "registry/registry_store.h"

namespace pantrel {

// Holds at most one open key and closes it when emptied, re-opened or destroyed.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&&) noexcept = default;
    RegistryKey& operator=(RegistryKey&&) noexcept = default;
    ~RegistryKey() = default;  // the held StoreKey closes itself

    // Opens `path` under `parent`. On success the key held before is closed and the new one held;
    // the status is that of the open, or of closing the previous key. On failure nothing changes.
    Status Open(RegistryStore& parent, std::string_view path, std::uint32_t access);

    // Like Open, but creates the key and every missing key above it.
    Status Create(RegistryStore& parent, std::string_view path, std::uint32_t access);

    // Closes the held key and empties the holder; 0 when nothing was held.
    Status Close();

    // Reads a string value as text into `text`, as it would stand in an ANSI reader's buffer of
    // `bufferSize` bytes (one per Windows-1250 character, see RegistryDataSize): a REG_SZ or
    // REG_EXPAND_SZ value whose data end in NUL, or a well-terminated REG_MULTI_SZ value (its first
    // string). Anything else, and data that do not fit the buffer, leave `text` empty; a value of
    // another type or without its terminator answers 13.
    Status QueryText(std::string_view name, std::string& text, std::size_t bufferSize) const;

    bool IsOpen() const { return key_ != nullptr; }
    // The held key; only valid while IsOpen().
    StoreKey& Get() const { return *key_; }

private:
    // Holds a freshly opened key in place of the previous one, or keeps the previous one when
    // the open failed.
    Status Hold(Status opened, std::unique_ptr<StoreKey> key);

    std::unique_ptr<StoreKey> key_;
};

}  // namespace pantrel
