#pragma once

#include <string>

#include "registry/registry_store.h"

namespace pantrel {

enum class ExportResult {
    Written,
    Unexportable,  // a value that cannot be read, or Windows-1250 cannot carry; nothing written
    NotWritten,    // the file could not be written; nothing left behind
};

struct ExportOutcome {
    ExportResult result = ExportResult::Written;
    std::string detail;  // the key or value that could not be encoded
};

// The registry file text (REGEDIT4, Windows-1250, CRLF) of every key and value under the
// drivers' root key, which regedit and reg import on Windows take as they are. False when a
// value cannot be read or its name or text cannot be carried in Windows-1250 (`detail` names it).
bool RenderRegistryFile(RegistryStore& hive, std::string& text, std::string& detail);

// Writes the registry file to `file`, replacing it as a whole.
ExportOutcome ExportRegistry(RegistryStore& hive, const std::string& file);

}  // namespace pantrel
