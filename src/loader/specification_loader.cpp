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
    CompiledSchema schema = CompileSchema(std::move(schemaDocument), namespaceUri);

    // The queries read only drivers and the models' names and producers.
    ValidatingParseResult parsed =
        ParseAndValidate(path, *schema.schema, IssueScope::FirstOnly, TreeExtent::ForModelQueries);
    if (parsed.issues.empty() && !parsed.treeValidated && parsed.descriptionsLeftOut) {
        // The closing validation below walks the tree: it must be the whole one.
        parsed = ParseAndValidate(path, *schema.schema, IssueScope::FirstOnly, TreeExtent::Whole);
    }
    if (!parsed.issues.empty()) {
        const ParseIssue& issue = parsed.issues.front();
        sink.ShowError(
            ParseErrorMessage(path, issue, ReadSourceLine(path, issue.line, parsed.encoding)));
        return E_FAIL_STATUS;
    }
    // What only this closing check finds is rejected without a message. The tree is walked
    // again only where it can differ from what the pass validated; elsewhere the pass's verdict
    // is the tree's.
    if (!parsed.treeValidated && !ValidateTree(*parsed.document, *schema.schema, nullptr)) {
        return E_FAIL_STATUS;
    }
    holder = MakeSpecificationDocument(std::move(parsed.document), std::move(schema), namespaceUri);
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
