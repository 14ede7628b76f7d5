#include "loader/specification_document.h"

#include <libxml/xpathInternals.h>

#include <memory>
#include <utility>

#include "loader/parser_error.h"
#include "loader/xml_error_scope.h"

namespace pantrel {
namespace {

constexpr const char* kQueryPrefix = "Zelvar";

// Enough for the queries of install, uninstall and a few producer filters.
constexpr std::size_t kCompiledQueryLimit = 32;

}  // namespace

SpecificationDocument::SpecificationDocument(XmlDocPtr document, CompiledSchema schema,
                                             std::string_view namespaceUri)
    : schema_(std::move(schema)), document_(std::move(document)), namespaceUri_(namespaceUri) {
    if (!document_) {
        throw ParserError(E_POINTER_STATUS);
    }
    xpath_.reset(xmlXPathNewContext(document_.get()));
    if (!xpath_) {
        throw ParserError(E_POINTER_STATUS);
    }
    // Query errors come back as ParserError; nothing goes to standard error.
    xpath_->error = IgnoreXmlError;
    if (xmlXPathRegisterNs(xpath_.get(), AsXmlChars(kQueryPrefix),
                           AsXmlChars(namespaceUri_.c_str())) != 0) {
        throw ParserError(E_FAIL_STATUS);
    }
}

xmlXPathCompExpr& SpecificationDocument::Compiled(std::string_view query) const {
    std::string key(query);
    if (const auto found = compiled_.find(key); found != compiled_.end()) {
        return *found->second;
    }
    XPathCompiledPtr expression(xmlXPathCtxtCompile(xpath_.get(), AsXmlChars(key.c_str())));
    if (!expression) {
        throw ParserError(E_FAIL_STATUS);
    }
    if (compiled_.size() >= kCompiledQueryLimit) {
        compiled_.clear();
    }
    return *compiled_.emplace(std::move(key), std::move(expression)).first->second;
}

XPathObjectPtr SpecificationDocument::Evaluate(std::string_view query, xmlNode& context) const {
    const XmlErrorScope quiet(IgnoreXmlError, nullptr);
    xmlXPathCompExpr& expression = Compiled(query);
    xpath_->node = &context;
    XPathObjectPtr result(xmlXPathCompiledEval(&expression, xpath_.get()));
    if (!result) {
        throw ParserError(E_FAIL_STATUS);
    }
    return result;
}

DocumentHolder MakeSpecificationDocument(XmlDocPtr document, CompiledSchema schema,
                                         std::string_view namespaceUri) {
    return std::make_shared<SpecificationDocument>(std::move(document), std::move(schema),
                                                   namespaceUri);
}

}  // namespace pantrel
