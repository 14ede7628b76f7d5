// Polish descriptions of libxml2's parser and schema errors.
#pragma once

#include <libxml/xmlerror.h>

#include <string>
#include <string_view>

namespace pantrel {

// The Polish description of an error libxml2 raised while reading or validating a specification
// file, built from the structured record (code, names, values, facets), with element names as
// the file writes them and no "{namespace}" prefix. `specificationNamespace` is the schema's
// target namespace: names in it are shown bare, others with their namespace. Every code gets a
// Polish sentence; one without a sentence of its own still carries the record's details.
std::string DescribeXmlError(const xmlError& error, std::string_view specificationNamespace);

// The two families, for the dispatch above.
std::string DescribeParserError(const xmlError& error);
std::string DescribeSchemaError(const xmlError& error, std::string_view specificationNamespace);

}  // namespace pantrel
