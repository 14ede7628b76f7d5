#include "loader/xml_error_scope.h"

#include <libxml/globals.h>

namespace pantrel {
namespace {

void IgnoreGenericMessage(void* /*data*/, const char* /*format*/, ...) {}

}  // namespace

XmlErrorScope::XmlErrorScope(xmlStructuredErrorFunc handler, void* data)
    : previousStructured_(xmlStructuredError),
      previousStructuredData_(xmlStructuredErrorContext),
      previousGeneric_(xmlGenericError),
      previousGenericData_(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(data, handler);
    xmlSetGenericErrorFunc(nullptr, IgnoreGenericMessage);
}

XmlErrorScope::~XmlErrorScope() {
    xmlSetStructuredErrorFunc(previousStructuredData_, previousStructured_);
    xmlSetGenericErrorFunc(previousGenericData_, previousGeneric_);
}

void IgnoreXmlError(void* /*data*/, xmlErrorPtr /*error*/) {}

}  // namespace pantrel
