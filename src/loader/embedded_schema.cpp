#include "loader/embedded_schema.h"

#include <libxml/schemasInternals.h>

#include <limits>
#include <utility>

#include "loader/blank_collapse.h"
#include "loader/embedded_resource.h"
#include "loader/outside_resource_block.h"
#include "loader/parser_error.h"
#include "loader/xml_error_scope.h"

namespace pantrel {

bool LoadEmbeddedSchema(XmlDocPtr& holder, int resourceId) {
    holder.reset();
    const auto bytes = FindEmbeddedResource(SCHEMA_RESOURCE_TYPE, resourceId);
    if (!bytes || bytes->size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return false;
    }
    PrepareXmlParser();
    const XmlErrorScope quiet(IgnoreXmlError, nullptr);
    const OutsideResourceBlock nothingOutside;
    holder.reset(xmlReadMemory(reinterpret_cast<const char*>(bytes->data()),
                               static_cast<int>(bytes->size()), "Sterowniki.xsd", nullptr,
                               XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT));
    return holder != nullptr;
}

CompiledSchema CompileSchema(XmlDocPtr schemaDocument, std::string_view namespaceUri) {
    if (!schemaDocument) {
        throw ParserError(E_POINTER_STATUS);
    }
    PrepareXmlParser();
    CompiledSchema compiled;
    compiled.document = std::move(schemaDocument);
    const XmlErrorScope quiet(IgnoreXmlError, nullptr);
    const OutsideResourceBlock nothingOutside;
    const SchemaParserContextPtr parser(xmlSchemaNewDocParserCtxt(compiled.document.get()));
    if (!parser) {
        throw ParserError(E_POINTER_STATUS);
    }
    xmlSchemaSetParserStructuredErrors(parser.get(), IgnoreXmlError, nullptr);
    compiled.schema.reset(xmlSchemaParse(parser.get()));
    if (!compiled.schema || compiled.schema->targetNamespace == nullptr ||
        AsChars(compiled.schema->targetNamespace) != namespaceUri) {
        throw ParserError(E_FAIL_STATUS);
    }
    compiled.namespaceUri = namespaceUri;
    MarkSchemaTypesForBlankCollapse(*compiled.schema);
    return compiled;
}

}  // namespace pantrel
