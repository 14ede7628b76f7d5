#include "app/registry_export.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/windows1250.h"
#include "spec/native_file.h"
#include "spec/utf8_path.h"

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

    // A key or value name stands on one line of the file, which has no escape for a line break:
    // a name holding one would end the line early and let the rest of the name be read as keys
    // and values of its own.
    std::optional<std::string> EncodeName(std::string_view utf8, std::string_view where) {
        if (utf8.find_first_of("\r\n") != std::string_view::npos) {
            failed_ = std::string{where};
            return std::nullopt;
        }
        return Encode(utf8, where);
    }

    // False, naming `where`, when a listing ended on an error rather than at its end: a backup
    // that silently lacks part of the registry must not pass for a whole one.
    bool ListedToTheEnd(Status status, const std::string& where) {
        if (status != ERROR_NO_MORE_ITEMS_STATUS) {
            failed_ = where;
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
        if (opened != ERROR_SUCCESS_STATUS) {
            failed_ = path;  // a store that cannot be read is no empty one
            return false;
        }
        const std::optional<std::string> encodedPath = EncodeName(path, path);
        if (!encodedPath) {
            return false;
        }
        body_.append("\r\n[").append(kRootInFile).append(*encodedPath).append("]\r\n");
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
        if (!ListedToTheEnd(status, path)) {
            return false;
        }
        std::vector<std::string> subkeys;
        index = 0;
        while ((status = key.Get().EnumSubKey(index, name)) == ERROR_SUCCESS_STATUS) {
            subkeys.push_back(name);
            ++index;
        }
        if (!ListedToTheEnd(status, path)) {
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

    bool Value(const RegistryKey& key, const std::string& path, const std::string& name) {
        const std::string where = path + "\\" + name;
        std::uint32_t type = REG_NONE_TYPE;
        std::string raw;
        std::size_t size = 0;
        if (key.Get().QueryValue(name, type, raw, kAnyValueData, size) != ERROR_SUCCESS_STATUS) {
            failed_ = where;
            return false;
        }
        const std::optional<std::string> encodedName = EncodeName(name, where);
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
    const std::filesystem::path target = PathFromUtf8(file);
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        // The temporary name is predictable: whatever stands there (a stale file, or a link
        // planted to make the tool overwrite another file) is removed, and the file is then
        // created anew, never opened through a link.
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(
            CreateNewFileForWriting(temporary), &std::fclose);
        const bool written = out &&
                             std::fwrite(text.data(), 1, text.size(), out.get()) == text.size() &&
                             std::fflush(out.get()) == 0;
        if (!written) {
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
