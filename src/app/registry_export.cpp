#include "app/registry_export.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/windows1250.h"

namespace pantrel {
namespace {

constexpr std::string_view kRootInFile = "HKEY_LOCAL_MACHINE\\";
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

class Renderer {
public:
    explicit Renderer(RegistryStore& hive) : hive_(hive) {}

    bool Render(std::string& text, std::string& detail) {
        text = "REGEDIT4\r\n";
        if (!Key(std::string{DRIVERS_ROOT_KEY})) {
            detail = failed_;
            return false;
        }
        text += body_;
        return true;
    }

private:
    std::optional<std::string> Encode(std::string_view utf8, std::string_view where) {
        std::optional<std::string> bytes = Utf8ToWindows1250(utf8);
        if (!bytes) {
            failed_ = std::string{where};
        }
        return bytes;
    }

    bool Key(const std::string& path) {
        RegistryKey key;
        if (key.Open(hive_, path, KEY_READ_ACCESS) != ERROR_SUCCESS_STATUS) {
            return true;  // a key that is not there has nothing to carry
        }
        const std::optional<std::string> encodedPath = Encode(path, path);
        if (!encodedPath) {
            return false;
        }
        body_.append("\r\n[").append(kRootInFile).append(*encodedPath).append("]\r\n");
        std::string name;
        for (std::uint32_t i = 0;
             key.Get().EnumValue(i, name, kAnyValueName, nullptr, 0) == ERROR_SUCCESS_STATUS; ++i) {
            if (!Value(key, path, name)) {
                return false;
            }
        }
        std::vector<std::string> subkeys;
        for (std::uint32_t i = 0; key.Get().EnumSubKey(i, name) == ERROR_SUCCESS_STATUS; ++i) {
            subkeys.push_back(name);
        }
        key.Close();
        for (const std::string& subkey : subkeys) {
            if (!Key(path + "\\" + subkey)) {
                return false;
            }
        }
        return true;
    }

    bool Value(const RegistryKey& key, const std::string& path, const std::string& name) {
        const std::string where = path + "\\" + name;
        std::uint32_t type = REG_NONE_TYPE;
        std::string raw;
        std::size_t size = 0;
        if (key.Get().QueryValue(name, type, raw, kAnyValueData, size) != ERROR_SUCCESS_STATUS) {
            failed_ = where;
            return false;
        }
        const std::optional<std::string> encodedName = Encode(name, where);
        if (!encodedName) {
            return false;
        }
        if (name.empty()) {
            body_.append("@=");  // the key's default value
        } else {
            body_.append("\"").append(Escaped(*encodedName)).append("\"=");
        }
        const bool plainString = type == REG_SZ_TYPE && !raw.empty() && raw.back() == '\0' &&
                                 raw.find_first_of("\r\n") == std::string::npos &&
                                 raw.find('\0') == raw.size() - 1;
        if (type == REG_SZ_TYPE || type == REG_EXPAND_SZ_TYPE || type == REG_MULTI_SZ_TYPE) {
            const std::optional<std::string> encoded = Encode(raw, where);
            if (!encoded) {
                return false;
            }
            if (plainString) {
                body_.append("\"").append(Escaped(encoded->substr(0, encoded->size() - 1)));
                body_.append("\"\r\n");
            } else {
                body_.append("hex(").append(1, kHexDigits[type]).append("):");
                body_.append(HexBytes(*encoded)).append("\r\n");
            }
        } else if (type == REG_DWORD_TYPE && raw.size() == 4) {
            std::uint32_t value = 0;
            for (int i = 3; i >= 0; --i) {
                value = (value << 8) | static_cast<unsigned char>(raw[static_cast<size_t>(i)]);
            }
            char text[16];
            std::snprintf(text, sizeof text, "dword:%08x", value);
            body_.append(text).append("\r\n");
        } else if (type == REG_BINARY_TYPE) {
            body_.append("hex:").append(HexBytes(raw)).append("\r\n");
        } else {
            char prefix[24];
            std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
            body_.append(prefix).append(HexBytes(raw)).append("\r\n");
        }
        return true;
    }

    RegistryStore& hive_;
    std::string body_;
    std::string failed_;
};

}  // namespace

bool RenderRegistryFile(RegistryStore& hive, std::string& text, std::string& detail) {
    return Renderer{hive}.Render(text, detail);
}

ExportOutcome ExportRegistry(RegistryStore& hive, const std::string& file) {
    std::string text;
    std::string detail;
    if (!RenderRegistryFile(hive, text, detail)) {
        return {ExportResult::Unexportable, detail};
    }
    // Written beside the target and renamed over it, so that a failure never leaves half a file.
    const std::filesystem::path target{file};
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return {ExportResult::NotWritten, {}};
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return {ExportResult::NotWritten, {}};
    }
    return {};
}

}  // namespace pantrel
