#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "spec/message_sink.h"

namespace pantrel {

// COM-style status of the loader: 0 for success, negative for failure; callers look at the sign.
using HResult = std::int32_t;
inline constexpr HResult S_OK_STATUS = 0;
inline constexpr HResult E_FAIL_STATUS = static_cast<HResult>(0x80004005u);
inline constexpr HResult E_POINTER_STATUS = static_cast<HResult>(0x80004003u);

// Resource id of the embedded schema (type "XML").
inline constexpr int SCHEMA_RESOURCE_ID = 110;

// A parsed specification file, validated against the embedded schema and ready for XPath
// queries with the prefix Zelvar bound to the namespace given to the loader.
class SpecificationDocument;
using DocumentHolder = std::shared_ptr<SpecificationDocument>;

// Loads and validates the file at `path` (UTF-8). Errors the parser reports while loading are
// shown through `sink` with file, line, position, description and source line; a file that fails
// only the closing validation is rejected without a message.
HResult LoadSpecification(DocumentHolder& holder, const std::string& path, int schemaResourceId,
                          std::string_view namespaceUri, MessageSink& sink);

}  // namespace pantrel
