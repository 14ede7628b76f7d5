// The registry layout: driver keys, model keys, versions and entry limits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kinds/device_kind.h"
#include "registry/registration_result.h"
#include "registry/registry_key.h"
#include "registry/registry_store.h"

namespace pantrel {

inline constexpr std::string_view DRIVERS_ROOT_KEY = "Software\\Tarvex\\Sterowniki2";
inline constexpr std::string_view VERSION_VALUE = "Wersja";
inline constexpr std::string_view MODEL_SUBKEY = "ModeleUni";

// Capacities with which model entries are read, as an ANSI reader of the registry counts them
// (one per Windows-1250 character): a value name of up to 259 characters with its terminator,
// data of up to 520, so a specification path of up to 519 characters.
inline constexpr std::size_t MODEL_ENTRY_NAME_CAPACITY = 260;
inline constexpr std::size_t MODEL_ENTRY_DATA_CAPACITY = 520;
// Buffer in which the driver's version text is read.
inline constexpr std::size_t VERSION_TEXT_CAPACITY = 260;

// Path of the kind's driver key; false, with `path` untouched, for a kind without a driver GUID.
bool DriverKeyPath(DeviceKind kind, std::string& path);
// The driver key path followed by "\ModeleUni".
bool ModelKeyPath(DeviceKind kind, std::string& path);

// The data of a string value: the text with its terminating NUL, as the universal driver reads it.
std::string StringValueData(std::string_view text);

// The name of a model entry: the model name and the driver producer joined by "|".
std::string ModelEntryName(std::string_view modelName, std::string_view producer);
// The same into `entry`, whose buffer is reused.
void AssignModelEntryName(std::string& entry, std::string_view modelName,
                          std::string_view producer);

// Whether a model entry holding this specification path can be listed (and so removed again in
// the window): its data with their terminator fit MODEL_ENTRY_DATA_CAPACITY.
bool IsListableSpecificationPath(std::string_view path);

// How the kind's model key is opened: for listing, for removing entries, or for installing them
// (creating the key and every missing key above it).
enum class ModelKeyUse { Read, Write, Create };

// Opens the kind's model key into `holder`: the store's status of the open, or nothing for a kind
// without a driver key path.
std::optional<Status> OpenModelKeyFor(RegistryStore& hive, DeviceKind kind, ModelKeyUse use,
                                      RegistryKey& holder);

// Opens the kind's model key for reading into the empty `holder`.
bool OpenModelKey(RegistryStore& hive, DeviceKind kind, RegistryKey& holder);

// Reads the entry at `index`: 0, 259 past the last one, 234 when the name or the data do not
// fit, any other status on an error. The data are taken as text up to their first NUL.
Status EnumModelEntry(const RegistryKey& key, std::uint32_t index, std::string& name,
                      std::string& data);

// The text before the first "|" (the whole name without one) and the text after it (empty).
std::string ModelOfEntry(std::string_view valueName);
std::string ProducerOfEntry(std::string_view valueName);

// True when the kind's model key holds no values or cannot be opened; false for a kind without
// a driver key path.
bool IsModelKeyEmpty(RegistryStore& hive, DeviceKind kind);

// Raises the middle number of the driver's "Wersja" by one (a missing or unreadable one becomes
// 0.1.0); false when the driver key cannot be opened or the write fails.
bool BumpDriverVersion(RegistryStore& hive, std::string_view driverKeyPath);

// The version text BumpDriverVersion writes over `current` (the old text, empty when missing or
// unreadable).
std::string NextVersionText(std::string_view current);

// Reads three numbers the way atol does, each after the next ".", saturating at the 32-bit
// limits; a text with fewer dots repeats its last number.
void ParseVersion(std::string_view text, std::int32_t& a, std::int32_t& b, std::int32_t& c);

// Deletes the entry of one model: Done also when there was no such entry (nothing committed),
// NoDriverKey for a kind without a driver key path, otherwise why the store did not remove it.
RegistrationResult RemoveModel(RegistryStore& hive, DeviceKind kind, std::string_view modelName,
                               std::string_view producer);

}  // namespace pantrel
