// Owners of libxml2 objects.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <memory>

namespace pantrel {

// Owners of libxml2 objects; each frees its object with the library's own function.
template <auto Free>
struct XmlFree {
    template <typename T>
    void operator()(T* object) const noexcept {
        Free(object);
    }
};

struct XmlStringFree {
    void operator()(xmlChar* text) const noexcept { xmlFree(text); }
};

using XmlDocPtr = std::unique_ptr<xmlDoc, XmlFree<xmlFreeDoc>>;
using ParserContextPtr = std::unique_ptr<xmlParserCtxt, XmlFree<xmlFreeParserCtxt>>;
using SchemaParserContextPtr =
    std::unique_ptr<xmlSchemaParserCtxt, XmlFree<xmlSchemaFreeParserCtxt>>;
using SchemaPtr = std::unique_ptr<xmlSchema, XmlFree<xmlSchemaFree>>;
using SchemaValidContextPtr = std::unique_ptr<xmlSchemaValidCtxt, XmlFree<xmlSchemaFreeValidCtxt>>;
using SchemaSaxPlugPtr = std::unique_ptr<xmlSchemaSAXPlugStruct, XmlFree<xmlSchemaSAXUnplug>>;
using XmlStringPtr = std::unique_ptr<xmlChar, XmlStringFree>;

inline const xmlChar* AsXmlChars(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}
inline const char* AsChars(const xmlChar* text) {
    return reinterpret_cast<const char*>(text);
}

}  // namespace pantrel
