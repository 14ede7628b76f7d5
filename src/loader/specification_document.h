// A loaded, validated driver file with its XPath context.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "loader/embedded_schema.h"
#include "loader/libxml_handles.h"
#include "loader/specification_loader.h"

namespace pantrel {

// A loaded specification: the tree, the schema it was validated against, and an XPath context
// in which the prefix Zelvar, and no other, is bound to the namespace given to the loader.
// Queries only read the tree; the context and its cache of compiled queries are used from the
// one thread that works with the document.
class SpecificationDocument {
public:
    // Throws ParserError when the XPath context cannot be set up.
    SpecificationDocument(XmlDocPtr document, CompiledSchema schema, std::string_view namespaceUri);
    SpecificationDocument(const SpecificationDocument&) = delete;
    SpecificationDocument& operator=(const SpecificationDocument&) = delete;

    xmlDoc& tree() const noexcept { return *document_; }
    // The namespace URI bound to the prefix Zelvar.
    const std::string& namespaceUri() const noexcept { return namespaceUri_; }

    // Evaluates `query` relative to `context` (a node of this document). Throws ParserError
    // with E_FAIL_STATUS when the query is not valid XPath or cannot be evaluated.
    XPathObjectPtr Evaluate(std::string_view query, xmlNode& context) const;

private:
    xmlXPathCompExpr& Compiled(std::string_view query) const;

    CompiledSchema schema_;
    XmlDocPtr document_;
    std::string namespaceUri_;
    XPathContextPtr xpath_;
    mutable std::unordered_map<std::string, XPathCompiledPtr> compiled_;
};

// Wraps a parsed tree as a document for the queries. The loader makes every document this way;
// tests use it for trees that no valid file could give.
DocumentHolder MakeSpecificationDocument(XmlDocPtr document, CompiledSchema schema,
                                         std::string_view namespaceUri);

}  // namespace pantrel
