#include "loader/blank_collapse.h"

#include <libxml/hash.h>
#include <libxml/schemasInternals.h>
#include <libxml/xmlschemastypes.h>

#include <algorithm>
#include <array>

namespace pantrel {
namespace {

// The built-in atomic types whose lexical check in libxml2 2.9 does not skip blanks itself.
constexpr std::array kTypesWithoutBlankSkip{
    XML_SCHEMAS_LONG,       XML_SCHEMAS_INT,    XML_SCHEMAS_SHORT,     XML_SCHEMAS_BYTE,
    XML_SCHEMAS_ULONG,      XML_SCHEMAS_UINT,   XML_SCHEMAS_USHORT,    XML_SCHEMAS_UBYTE,
    XML_SCHEMAS_DATETIME,   XML_SCHEMAS_DATE,   XML_SCHEMAS_TIME,      XML_SCHEMAS_GYEAR,
    XML_SCHEMAS_GYEARMONTH, XML_SCHEMAS_GMONTH, XML_SCHEMAS_GMONTHDAY, XML_SCHEMAS_GDAY,
    XML_SCHEMAS_DURATION,
};

bool LacksBlankSkip(const xmlSchemaType& builtIn) {
    return std::find(kTypesWithoutBlankSkip.begin(), kTypesWithoutBlankSkip.end(),
                     static_cast<xmlSchemaValType>(builtIn.builtInType)) !=
           kTypesWithoutBlankSkip.end();
}

void MarkIfDerivedFromOne(void* payload, void* /*data*/, const xmlChar* /*name*/) {
    auto* const type = static_cast<xmlSchemaType*>(payload);
    if (type == nullptr || (type->flags & XML_SCHEMAS_TYPE_VARIETY_ATOMIC) == 0) {
        return;
    }
    const xmlSchemaType* base = type;
    while (base != nullptr && base->type != XML_SCHEMA_TYPE_BASIC) {
        base = base->baseType;
    }
    if (base != nullptr && LacksBlankSkip(*base)) {
        type->flags |= XML_SCHEMAS_TYPE_NORMVALUENEEDED;
    }
}

}  // namespace

void MarkBuiltInTypesForBlankCollapse() {
    for (const xmlSchemaValType kind : kTypesWithoutBlankSkip) {
        if (xmlSchemaType* const type = xmlSchemaGetBuiltInType(kind)) {
            type->flags |= XML_SCHEMAS_TYPE_NORMVALUENEEDED;
        }
    }
}

void MarkSchemaTypesForBlankCollapse(xmlSchema& schema) {
    if (schema.typeDecl != nullptr) {
        xmlHashScan(schema.typeDecl, MarkIfDerivedFromOne, nullptr);
    }
}

}  // namespace pantrel
