// Answers one-step child queries without the XPath engine.
#pragma once

#include <libxml/tree.h>

#include <string_view>

namespace pantrel {

// The name in a query that is one child step in the specification namespace, "Zelvar:Name" with
// a plain ASCII name (as the model queries ask for Nazwa and Producent); empty for any other
// query, which is left to the XPath engine.
std::string_view SingleChildStepName(std::string_view query);

// Whether the children of `node` can be walked directly: an element or the document itself.
bool HasChildElements(const xmlNode& node);

// The first element child of `parent` with the local name `name` in the namespace
// `namespaceUri`: the node that the XPath step child::Zelvar:name selects first, found without
// compiling and running the query. Null when there is none.
xmlNode* FirstChildElement(const xmlNode& parent, std::string_view name,
                           std::string_view namespaceUri);

}  // namespace pantrel
