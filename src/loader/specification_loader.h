// Loading and validating a driver file against the embedded schema.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/message_sink.h"
#include "loader/hresult.h"

namespace pantrel {

// Resource id of the embedded schema (type "XML").
inline constexpr int SCHEMA_RESOURCE_ID = 110;

// A parsed specification file, validated against the embedded schema and ready for XPath
// queries with the prefix Zelvar bound to the namespace given to the loader.
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
