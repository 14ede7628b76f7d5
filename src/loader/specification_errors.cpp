#include "loader/specification_errors.h"

#include <new>
#include <utility>

#include "loader/embedded_schema.h"
#include "loader/parser_error.h"
#include "loader/specification_document.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"
#include "loader/validating_parse.h"

namespace pantrel {
namespace {

constexpr const char* kNoSchema = "Nie można wczytać wbudowanego schematu plików specyfikacji.";
constexpr const char* kParserFailed = "Parser XML nie zdołał sprawdzić pliku.";

std::vector<ParseIssue> FindIssues(const std::string& path, DocumentHolder* loaded) {
    XmlDocPtr schemaDocument;
    if (!LoadEmbeddedSchema(schemaDocument, SCHEMA_RESOURCE_ID)) {
        return {{0, 0, kNoSchema}};
    }
    const CompiledSchema schema = CompileSchema(std::move(schemaDocument), SPECIFICATION_NAMESPACE);
    ValidatingParseResult parsed = ParseAndValidate(path, schema, IssueScope::All);
    if (parsed.issues.empty() && !parsed.valid) {
        parsed.issues.push_back(std::move(parsed.closingIssue));
    }
    if (parsed.issues.empty() && loaded != nullptr) {
        *loaded = MakeSpecificationDocument(std::move(parsed.records), SPECIFICATION_NAMESPACE);
    }
    return std::move(parsed.issues);
}

}  // namespace

std::vector<SpecificationError> CollectSpecificationErrors(const std::string& path,
                                                           DocumentHolder* loaded) {
    std::vector<ParseIssue> issues;
    try {
        issues = FindIssues(path, loaded);
    } catch (const ParserError&) {
        issues = {{0, 0, kParserFailed}};
    } catch (const std::bad_alloc&) {
        issues = {{0, 0, kParserFailed}};
    }
    std::vector<SpecificationError> errors;
    errors.reserve(issues.size());
    for (ParseIssue& issue : issues) {
        errors.push_back({path, issue.line, issue.column, std::move(issue.description)});
    }
    return errors;
}

std::string FormatSpecificationError(const SpecificationError& error) {
    return error.path + ":" + std::to_string(error.line) + ":" + std::to_string(error.column) +
           ": " + error.description;
}

}  // namespace pantrel
