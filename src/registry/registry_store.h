// The store interface: keys and values as the Windows registry has them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/win32_status.h"

namespace pantrel {

// One open key of a store; closed when Close() is called or the object is destroyed. Key and
// value names compare without regard to letter case and keep the case they were written with.
// Texts are UTF-8; data are the value's raw bytes (a string value keeps its terminating NUL).
class StoreKey {
public:
    virtual ~StoreKey() = default;
    StoreKey() = default;
    StoreKey(const StoreKey&) = delete;
    StoreKey& operator=(const StoreKey&) = delete;

    // Closes the key. Closing the last key opened for writing commits everything written
    // through the store's write handles; a failed commit answers its status and nothing of it
    // is kept. A second Close() answers 0.
    virtual Status Close() = 0;

    // The value at `index` (from 0) in the order the values were first written. `nameCapacity`
    // counts the characters of the name with its terminator, `dataCapacity` the size of the data,
    // both as an ANSI reader of the registry counts them (RegistryTextLength, RegistryDataSize:
    // a Windows-1250 character is one, whatever its UTF-8 bytes); `data` may be null when the
    // data are not wanted. 0 with both filled in, 259 past the last value, 234 when the name or
    // the data do not fit (both then carry no meaning).
    virtual Status EnumValue(std::uint32_t index, std::string& name, std::size_t nameCapacity,
                             std::string* data, std::size_t dataCapacity) = 0;

    // Reads one value. 0 with its type and data when the data fit in `capacity`; 234 with the
    // type set, the data left empty and `size` the room needed when they do not; 2 when there is
    // no such value. `size` and `capacity` count as EnumValue's `dataCapacity` does; `data` are
    // the raw bytes (UTF-8 for a string value).
    virtual Status QueryValue(std::string_view name, std::uint32_t& type, std::string& data,
                              std::size_t capacity, std::size_t& size) = 0;

    // Writes a value, replacing one of the same name (which keeps its place in the order).
    // Needs a key opened for writing (5 otherwise).
    virtual Status SetValue(std::string_view name, std::uint32_t type, std::string_view data) = 0;

    // Deletes a value; 2 when there is none.
    virtual Status DeleteValue(std::string_view name) = 0;

    // The name of the direct subkey at `index` (from 0), in the order the subkeys were created
    // and in the spelling they were created with; 259 past the last one.
    virtual Status EnumSubKey(std::uint32_t index, std::string& name) = 0;

    // Deletes the direct subkey `name` together with its values, provided it has no subkeys of
    // its own (5 when it has, as RegDeleteKey on Windows NT); 2 when there is none.
    virtual Status DeleteSubKey(std::string_view name) = 0;
};

// The hive the tool writes: HKEY_LOCAL_MACHINE on Windows, a database file elsewhere. Paths are
// backslash-separated and relative to the hive's root.
//
// Writers at once. A store object's write span runs from the first key it opens or creates for
// writing (KEY_SET_VALUE or KEY_CREATE_SUB_KEY access) to the close of the last such key that is
// still open. Within that span no other writer (another store object, another Pantrel process)
// changes the store: a writer arriving meanwhile waits until the span ends. So what is read
// through the store inside the span (a model key is empty) still holds when it writes (the key
// is deleted), and an operation that must be one step against other writers keeps a key open for
// writing from its first read to its last write. The SQLite store makes the span one IMMEDIATE
// transaction, committed when it ends; the Windows store holds the system-wide mutex
// "Global\PantrelRegistryWriters" over it.
// Readers are not held up.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    RegistryStore() = default;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Opens an existing key; 2 when it does not exist (also when the store itself does not).
    virtual Status OpenKey(std::string_view path, std::uint32_t access,
                           std::unique_ptr<StoreKey>& key) = 0;

    // Opens a key, creating it and every missing key above it first; 5 when the store cannot be
    // written.
    virtual Status CreateKey(std::string_view path, std::uint32_t access,
                             std::unique_ptr<StoreKey>& key) = 0;
};

}  // namespace pantrel
