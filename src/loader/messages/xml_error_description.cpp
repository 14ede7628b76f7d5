#include "loader/messages/xml_error_description.h"

#include "loader/messages/description_text.h"

namespace pantrel {

std::string DescribeXmlError(const xmlError& error, std::string_view specificationNamespace) {
    // Names put in unquoted come from the file too: the whole line is made safe once more.
    if (error.domain == XML_FROM_SCHEMASV || error.domain == XML_FROM_SCHEMASP) {
        return OneLine(DescribeSchemaError(error, specificationNamespace));
    }
    return OneLine(DescribeParserError(error));
}

}  // namespace pantrel
