// Routes libxml2's errors to a handler for the life of a scope.
#pragma once

#include <libxml/xmlerror.h>

namespace pantrel {

// Routes the errors libxml2 raises on this thread to `handler` for the life of the scope, and
// keeps the library's unstructured diagnostics off standard error meanwhile. The handlers that
// were set before come back when the scope ends.
class XmlErrorScope {
public:
    XmlErrorScope(xmlStructuredErrorFunc handler, void* data);
    ~XmlErrorScope();
    XmlErrorScope(const XmlErrorScope&) = delete;
    XmlErrorScope& operator=(const XmlErrorScope&) = delete;

private:
    xmlStructuredErrorFunc previousStructured_;
    void* previousStructuredData_;
    xmlGenericErrorFunc previousGeneric_;
    void* previousGenericData_;
};

// A structured error handler that drops everything.
void IgnoreXmlError(void* data, xmlErrorPtr error);

}  // namespace pantrel
