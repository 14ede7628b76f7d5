// LoadSpecification: reading and validating a driver specification file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "loader/hresult.h"
#include "base/message_sink.h"

namespace pantrel {

// Resource id of the embedded schema (type "XML").
inline constexpr int SCHEMA_RESOURCE_ID = 110;

// A specification file validated against the embedded schema: the drivers and models that the
// model queries select from.
class SpecificationDocument;
using DocumentHolder = std::shared_ptr<SpecificationDocument>;

// Loads and validates the file at `path` (UTF-8). Errors the parser reports while loading are
// shown through `sink` with file, line, position, description and source line; a file that fails
// only the closing validation is rejected without a message. Whatever `holder` held is released
// first; it holds the document only when the result is S_OK_STATUS, and stays empty otherwise.
// Nothing outside the file and the embedded schema is ever read.
HResult LoadSpecification(DocumentHolder& holder, const std::string& path, int schemaResourceId,
                          std::string_view namespaceUri, MessageSink& sink);

}  // namespace pantrel
