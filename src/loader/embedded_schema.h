// The embedded schema, compiled once per namespace.
#pragma once

#include <string>
#include <string_view>

#include "loader/libxml_handles.h"

namespace pantrel {

// The schema a specification is validated against: compiled from the embedded schema text,
// whose document it keeps, since the compiled form refers to it.
struct CompiledSchema {
    std::string namespaceUri;  // its target namespace
    XmlDocPtr document;
    SchemaPtr schema;  // declared after the document, so it goes first
};

// Reads the schema text embedded as resource "XML"/`resourceId` into a new document in
// `holder`, which is emptied first. False when there is no such resource or its text is not
// well-formed XML. The text is never read from a file.
bool LoadEmbeddedSchema(XmlDocPtr& holder, int resourceId);

// Compiles the loaded schema for the namespace `namespaceUri`. Throws ParserError with
// E_FAIL_STATUS when the schema cannot be compiled or its target namespace is another one.
CompiledSchema CompileSchema(XmlDocPtr schemaDocument, std::string_view namespaceUri);

}  // namespace pantrel
