#include "app/registry_export.h"

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "base/native_file.h"
#include "base/replace_file.h"
#include "base/utf8_path.h"
#include "base/windows1250.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"

namespace pantrel {
namespace {

// The keys are written as 64-bit Windows names the 32-bit view, where the 32-bit universal
// driver reads: the usual import there (a double click, regedit /s, reg import) lands in it.
// A 32-bit Windows has that view only and no such key; the file's opening lines say so.
constexpr std::string_view kSoftwareKey = "Software\\";
constexpr std::string_view kThirtyTwoBitSoftwareInFile =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\";
constexpr std::string_view kRootInFile = "HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kFileHeader =
    "REGEDIT4\r\n"
    "; Widok 32-bitowy rejestru (WOW6432Node) 64-bitowego Windows, w kt\xF3rym czyta sterownik "
    "uniwersalny.\r\n"
    "; Na 32-bitowym Windows przed importem usu\xF1 \"WOW6432Node\\\" z nazw kluczy.\r\n";
constexpr std::size_t kAnyValueName = 16384;     // the longest name the registry allows
constexpr std::size_t kAnyValueData = 1u << 20;  // as much as the store takes
constexpr char kHexDigits[] = "0123456789abcdef";

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    return out;
}

std::string HexBytes(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back(kHexDigits[b >> 4]);
        out.push_back(kHexDigits[b & 0x0F]);
    }
    return out;
}

std::string KeyInFile(std::string_view path) {
    if (path.starts_with(kSoftwareKey)) {
        return std::string{kThirtyTwoBitSoftwareInFile}.append(path.substr(kSoftwareKey.size()));
    }
    return std::string{kRootInFile}.append(path);
}

class Renderer {
public:
    explicit Renderer(RegistryStore& hive) : hive_(hive) {}

    RenderedRegistry Render() {
        result_.text = kFileHeader;
        if (!Key(std::string{DRIVERS_ROOT_KEY})) {
            result_.text.clear();
        }
        return std::move(result_);
    }

private:
    // A key or value name stands on one line of the file, which has no escape for a line break:
    // a name holding one would end the line early and let the rest of the name be read as keys
    // and values of its own.
    std::optional<std::string> EncodeName(std::string_view utf8, const std::string& where) {
        if (utf8.find_first_of("\r\n") != std::string_view::npos) {
            Skip(where, SkipReason::NameWithLineBreak);
            return std::nullopt;
        }
        std::optional<std::string> bytes = Utf8ToWindows1250(utf8);
        if (!bytes) {
            Skip(where, SkipReason::NameOutsideWindows1250);
        }
        return bytes;
    }

    void Skip(const std::string& where, SkipReason reason) {
        result_.skipped.push_back({where, reason});
    }

    // False when a store operation failed: a listing that ended on an error rather than at its
    // end, a key or value that is there but cannot be read.
    bool Read(Status status, Status expected = ERROR_SUCCESS_STATUS) {
        if (status != expected) {
            result_.status = status;
            return false;
        }
        return true;
    }

    bool Key(const std::string& path) {
        RegistryKey key;
        const Status opened = key.Open(hive_, path, KEY_READ_ACCESS);
        if (opened == ERROR_FILE_NOT_FOUND_STATUS) {
            return true;  // a key that is not there has nothing to carry
        }
        if (!Read(opened)) {
            return false;  // a store that cannot be read is no empty one
        }
        const std::optional<std::string> encodedPath = EncodeName(path, path);
        if (!encodedPath) {
            return true;  // left out with everything under it, whose paths hold the same name
        }
        result_.text.append("\r\n[").append(KeyInFile(*encodedPath)).append("]\r\n");
        std::string name;
        std::uint32_t index = 0;
        Status status = ERROR_SUCCESS_STATUS;
        while ((status = key.Get().EnumValue(index, name, kAnyValueName, nullptr, 0)) ==
               ERROR_SUCCESS_STATUS) {
            if (!Value(key, path, name)) {
                return false;
            }
            ++index;
        }
        if (!Read(status, ERROR_NO_MORE_ITEMS_STATUS)) {
            return false;
        }
        std::vector<std::string> subkeys;
        index = 0;
        while ((status = key.Get().EnumSubKey(index, name)) == ERROR_SUCCESS_STATUS) {
            subkeys.push_back(name);
            ++index;
        }
        if (!Read(status, ERROR_NO_MORE_ITEMS_STATUS)) {
            return false;
        }
        key.Close();
        for (const std::string& subkey : subkeys) {
            if (!Key(path + "\\" + subkey)) {
                return false;
            }
        }
        return true;
    }

    // False only when the store failed; a value the file cannot carry is skipped.
    bool Value(const RegistryKey& key, const std::string& path, const std::string& name) {
        const std::string where = path + "\\" + name;
        std::uint32_t type = REG_NONE_TYPE;
        std::string raw;
        std::size_t size = 0;
        if (!Read(key.Get().QueryValue(name, type, raw, kAnyValueData, size))) {
            return false;
        }
        const std::optional<std::string> encodedName = EncodeName(name, where);
        if (!encodedName) {
            return true;
        }
        const bool text =
            type == REG_SZ_TYPE || type == REG_EXPAND_SZ_TYPE || type == REG_MULTI_SZ_TYPE;
        const std::optional<std::string> encoded =
            text ? Utf8ToWindows1250(raw) : std::optional<std::string>{raw};
        if (!encoded) {
            Skip(where, SkipReason::DataOutsideWindows1250);
            return true;
        }
        std::string& out = result_.text;
        if (name.empty()) {
            out.append("@=");  // the key's default value
        } else {
            out.append("\"").append(Escaped(*encodedName)).append("\"=");
        }
        const bool plainString = type == REG_SZ_TYPE && !raw.empty() && raw.back() == '\0' &&
                                 raw.find_first_of("\r\n") == std::string::npos &&
                                 raw.find('\0') == raw.size() - 1;
        if (plainString) {
            out.append("\"").append(Escaped(encoded->substr(0, encoded->size() - 1)));
            out.append("\"\r\n");
        } else if (text) {
            out.append("hex(").append(1, kHexDigits[type]).append("):");
            out.append(HexBytes(*encoded)).append("\r\n");
        } else if (type == REG_DWORD_TYPE && raw.size() == 4) {
            std::uint32_t value = 0;
            for (int i = 3; i >= 0; --i) {
                value = (value << 8) | static_cast<unsigned char>(raw[static_cast<size_t>(i)]);
            }
            char dword[16];
            std::snprintf(dword, sizeof dword, "dword:%08x", value);
            out.append(dword).append("\r\n");
        } else if (type == REG_BINARY_TYPE) {
            out.append("hex:").append(HexBytes(raw)).append("\r\n");
        } else {
            char prefix[24];
            std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
            out.append(prefix).append(HexBytes(raw)).append("\r\n");
        }
        return true;
    }

    RegistryStore& hive_;
    RenderedRegistry result_;
};

}  // namespace

RenderedRegistry RenderRegistryFile(RegistryStore& hive) {
    return Renderer{hive}.Render();
}

ExportOutcome ExportRegistry(RegistryStore& hive, const std::string& file) {
    RenderedRegistry rendered = RenderRegistryFile(hive);
    if (rendered.status != ERROR_SUCCESS_STATUS) {
        ExportOutcome outcome;
        outcome.result = ExportResult::StoreUnreadable;
        outcome.storeStatus = rendered.status;
        return outcome;
    }
    ExportOutcome outcome;
    outcome.skipped = std::move(rendered.skipped);
    outcome.fileError = ReplaceFile(PathFromUtf8(file), rendered.text);
    if (outcome.fileError) {
        outcome.result = ExportResult::NotWritten;
    }
    return outcome;
}

}  // namespace pantrel
