#include "registry/model_registry.h"

#include <cctype>
#include <cstdint>
#include <limits>

#include "base/windows1250.h"

namespace pantrel {
namespace {

// The number at the start of `text` as atol reads it (white space, an optional sign, digits),
// held at the 32-bit limits instead of overflowing.
std::int32_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMax + 1) {
            value = kMax + 1;  // enough to know it saturates either way
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > kMax) {
        return static_cast<std::int32_t>(kMax);
    }
    if (value < kMin) {
        return static_cast<std::int32_t>(kMin);
    }
    return static_cast<std::int32_t>(value);
}

// What is left after the first "."; the text itself when it has none.
std::string_view AfterFirstDot(std::string_view text) {
    const std::size_t dot = text.find('.');
    return dot == std::string_view::npos ? text : text.substr(dot + 1);
}

}  // namespace

bool DriverKeyPath(DeviceKind kind, std::string& path) {
    std::string guid;
    if (!DriverGuid(kind, guid)) {
        return false;
    }
    const std::string noun =
        KindNoun(kind, GrammaticalCase::Nominative, true, LetterCase::FirstUpper);
    path.assign(DRIVERS_ROOT_KEY).append("\\").append(noun).append("\\").append(guid);
    return true;
}

bool ModelKeyPath(DeviceKind kind, std::string& path) {
    std::string driverPath;
    if (!DriverKeyPath(kind, driverPath)) {
        return false;
    }
    path = driverPath.append("\\").append(MODEL_SUBKEY);
    return true;
}

std::string StringValueData(std::string_view text) {
    std::string data{text};
    data.push_back('\0');
    return data;
}

std::string ModelEntryName(std::string_view modelName, std::string_view producer) {
    std::string name;
    AssignModelEntryName(name, modelName, producer);
    return name;
}

void AssignModelEntryName(std::string& entry, std::string_view modelName,
                          std::string_view producer) {
    entry.assign(modelName).append("|").append(producer);
}

bool IsListableSpecificationPath(std::string_view path) {
    return RegistryDataSize(REG_SZ_TYPE, StringValueData(path)) <= MODEL_ENTRY_DATA_CAPACITY;
}

std::optional<Status> OpenModelKeyFor(RegistryStore& hive, DeviceKind kind, ModelKeyUse use,
                                      RegistryKey& holder) {
    std::string path;
    if (!ModelKeyPath(kind, path)) {
        return std::nullopt;
    }
    switch (use) {
        case ModelKeyUse::Read:
            return holder.Open(hive, path, KEY_READ_ACCESS);
        case ModelKeyUse::Write:
            return holder.Open(hive, path, KEY_READ_WRITE_ACCESS);
        case ModelKeyUse::Create:
            return holder.Create(hive, path, KEY_READ_WRITE_ACCESS);
    }
    return std::nullopt;
}

bool OpenModelKey(RegistryStore& hive, DeviceKind kind, RegistryKey& holder) {
    return OpenModelKeyFor(hive, kind, ModelKeyUse::Read, holder) == ERROR_SUCCESS_STATUS;
}

Status EnumModelEntry(const RegistryKey& key, std::uint32_t index, std::string& name,
                      std::string& data) {
    std::string raw;
    const Status status = key.Get().EnumValue(index, name, MODEL_ENTRY_NAME_CAPACITY, &raw,
                                              MODEL_ENTRY_DATA_CAPACITY);
    if (status == ERROR_SUCCESS_STATUS) {
        data = raw.substr(0, raw.find('\0'));
    }
    return status;
}

std::string ModelOfEntry(std::string_view valueName) {
    return std::string{valueName.substr(0, valueName.find('|'))};
}

std::string ProducerOfEntry(std::string_view valueName) {
    const std::size_t bar = valueName.find('|');
    return bar == std::string_view::npos ? std::string{} : std::string{valueName.substr(bar + 1)};
}

bool IsModelKeyEmpty(RegistryStore& hive, DeviceKind kind) {
    RegistryKey key;
    const std::optional<Status> opened = OpenModelKeyFor(hive, kind, ModelKeyUse::Write, key);
    if (!opened) {
        return false;
    }
    if (*opened != ERROR_SUCCESS_STATUS) {
        return true;
    }
    std::string name;
    const Status status = key.Get().EnumValue(0, name, MODEL_ENTRY_NAME_CAPACITY, nullptr, 0);
    key.Close();
    // Only values count; a model key with subkeys but no values is empty.
    return status == ERROR_NO_MORE_ITEMS_STATUS;
}

bool BumpDriverVersion(RegistryStore& hive, std::string_view driverKeyPath) {
    RegistryKey key;
    if (key.Open(hive, driverKeyPath, KEY_READ_WRITE_ACCESS) != ERROR_SUCCESS_STATUS) {
        return false;
    }
    // A missing, unreadable or over-long version reads as an empty text and starts at 0.1.0.
    std::string text;
    key.QueryText(VERSION_VALUE, text, VERSION_TEXT_CAPACITY);
    const std::string version = NextVersionText(text);
    const Status written = key.Get().SetValue(VERSION_VALUE, REG_SZ_TYPE, StringValueData(version));
    const Status closed = key.Close();
    return written == ERROR_SUCCESS_STATUS && closed == ERROR_SUCCESS_STATUS;
}

std::string NextVersionText(std::string_view current) {
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    if (!current.empty()) {
        ParseVersion(current, a, b, c);
    }
    // The middle number stops at the 32-bit limit rather than wrapping to a negative one.
    if (b < std::numeric_limits<std::int32_t>::max()) {
        ++b;
    }
    return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c);
}

void ParseVersion(std::string_view text, std::int32_t& a, std::int32_t& b, std::int32_t& c) {
    a = LeadingNumber(text);
    text = AfterFirstDot(text);
    b = LeadingNumber(text);
    text = AfterFirstDot(text);
    c = LeadingNumber(text);
}

RegistrationResult RemoveModel(RegistryStore& hive, DeviceKind kind, std::string_view modelName,
                               std::string_view producer) {
    RegistrationResult result;
    RegistryKey key;
    const std::optional<Status> opened = OpenModelKeyFor(hive, kind, ModelKeyUse::Write, key);
    if (!opened) {
        result.outcome = RegistrationOutcome::NoDriverKey;
        return result;
    }
    if (*opened != ERROR_SUCCESS_STATUS) {
        // No model key means nothing to remove; a store that cannot be written is no removal.
        if (*opened != ERROR_FILE_NOT_FOUND_STATUS) {
            result.outcome = RegistrationOutcome::StoreFailed;
            result.firstFailure = *opened;
        }
        return result;
    }
    const Status deleted = key.Get().DeleteValue(ModelEntryName(modelName, producer));
    if (deleted != ERROR_SUCCESS_STATUS && deleted != ERROR_FILE_NOT_FOUND_STATUS) {
        result.outcome = RegistrationOutcome::ValuesRefused;
        result.firstFailure = deleted;
    }
    if (const Status closed = key.Close(); closed != ERROR_SUCCESS_STATUS) {
        result.outcome = RegistrationOutcome::StoreFailed;
        if (result.firstFailure == ERROR_SUCCESS_STATUS) {
            result.firstFailure = closed;
        }
        return result;
    }
    if (deleted == ERROR_SUCCESS_STATUS) {
        result.committed.push_back({kind, 1});
    }
    return result;
}

}  // namespace pantrel
