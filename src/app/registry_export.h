// Writing the drivers' registry keys to a registry file.
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "registry/registry_store.h"

namespace pantrel {

// Why a key or value was left out of a registry file.
enum class SkipReason {
    NameOutsideWindows1250,  // its name holds a character the file's code page has not
    NameWithLineBreak,       // its name would end its line early and forge keys of its own
    DataOutsideWindows1250,  // its text holds a character the file's code page has not
};

struct SkippedEntry {
    std::string where;  // the key's path, or the key's path, a backslash and the value's name
    SkipReason reason;

    bool operator==(const SkippedEntry&) const = default;
};

// The registry file text (REGEDIT4, Windows-1250, CRLF) of every key and value under the
// drivers' root key, which regedit and reg import on Windows take as they are. A key or value
// the file cannot carry is left out (a key with everything under it) and named in `skipped`;
// the rest is written. A store that cannot be read answers its status and no text: a backup
// that silently lacks part of the registry must not pass for a whole one.
struct RenderedRegistry {
    Status status = ERROR_SUCCESS_STATUS;
    std::string text;
    std::vector<SkippedEntry> skipped;
};
RenderedRegistry RenderRegistryFile(RegistryStore& hive);

enum class ExportResult {
    Written,          // everything but the entries in `skipped`
    StoreUnreadable,  // `storeStatus` says why; nothing written
    NotWritten,       // `fileError` says why; the target and every other file left as they were
};

struct ExportOutcome {
    ExportResult result = ExportResult::Written;
    std::vector<SkippedEntry> skipped;
    Status storeStatus = ERROR_SUCCESS_STATUS;
    std::error_code fileError;
};

// Writes the registry file to `file`, replacing it as a whole.
ExportOutcome ExportRegistry(RegistryStore& hive, const std::string& file);

}  // namespace pantrel
