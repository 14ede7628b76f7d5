#include "loader/specification_loader.h"

#include <new>
#include <utility>

#include "loader/embedded_schema.h"
#include "loader/messages/parse_error_message.h"
#include "loader/messages/source_line.h"
#include "loader/parser_error.h"
#include "loader/specification_document.h"
#include "loader/validating_parse.h"

namespace pantrel {
namespace {

HResult Load(DocumentHolder& holder, const std::string& path, int schemaResourceId,
             std::string_view namespaceUri, MessageSink& sink) {
    // A new schema for every file: nothing is kept from one load to the next.
    XmlDocPtr schemaDocument;
    if (!LoadEmbeddedSchema(schemaDocument, schemaResourceId)) {
        return E_FAIL_STATUS;
    }
    const CompiledSchema schema = CompileSchema(std::move(schemaDocument), namespaceUri);
    ValidatingParseResult parsed = ParseAndValidate(path, schema, IssueScope::FirstOnly);
    if (!parsed.issues.empty()) {
        const ParseIssue& issue = parsed.issues.front();
        sink.ShowError(
            ParseErrorMessage(path, issue, ReadSourceLine(path, issue.line, parsed.encoding)));
        return E_FAIL_STATUS;
    }
    // What the pass found without an error of its own is rejected without a message.
    if (!parsed.valid) {
        return E_FAIL_STATUS;
    }
    holder = MakeSpecificationDocument(std::move(parsed.records), namespaceUri);
    return S_OK_STATUS;
}

}  // namespace

HResult LoadSpecification(DocumentHolder& holder, const std::string& path, int schemaResourceId,
                          std::string_view namespaceUri, MessageSink& sink) {
    holder.reset();
    try {
        return Load(holder, path, schemaResourceId, namespaceUri, sink);
    } catch (const ParserError& error) {
        holder.reset();
        return error.status();
    } catch (const std::bad_alloc&) {
        holder.reset();
        return E_OUTOFMEMORY_STATUS;
    }
}

}  // namespace pantrel
