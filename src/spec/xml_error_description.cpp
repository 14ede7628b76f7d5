#include "spec/xml_error_description.h"

namespace pantrel {

std::string DescribeXmlError(const xmlError& error, std::string_view specificationNamespace) {
    if (error.domain == XML_FROM_SCHEMASV || error.domain == XML_FROM_SCHEMASP) {
        return DescribeSchemaError(error, specificationNamespace);
    }
    return DescribeParserError(error);
}

}  // namespace pantrel
