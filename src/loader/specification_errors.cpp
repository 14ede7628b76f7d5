#include "loader/specification_errors.h"

#include <new>
#include <utility>

#include "loader/embedded_schema.h"
#include "loader/parser_error.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"
#include "loader/validating_parse.h"

namespace pantrel {
namespace {

constexpr const char* kNoSchema = "Nie można wczytać wbudowanego schematu plików specyfikacji.";
constexpr const char* kParserFailed = "Parser XML nie zdołał sprawdzić pliku.";
constexpr const char* kTreeInvalid =
    "Plik nie przeszedł końcowego sprawdzenia zgodności ze schematem.";

std::vector<ParseIssue> FindIssues(const std::string& path) {
    XmlDocPtr schemaDocument;
    if (!LoadEmbeddedSchema(schemaDocument, SCHEMA_RESOURCE_ID)) {
        return {{0, 0, kNoSchema}};
    }
    CompiledSchema schema = CompileSchema(std::move(schemaDocument), SPECIFICATION_NAMESPACE);
    ValidatingParseResult parsed = ParseAndValidate(path, *schema.schema, IssueScope::All);
    if (parsed.issues.empty() && !ValidateTree(*parsed.document, *schema.schema, &parsed.issues) &&
        parsed.issues.empty()) {
        parsed.issues.push_back({0, 0, kTreeInvalid});
    }
    return std::move(parsed.issues);
}

}  // namespace

std::vector<SpecificationError> CollectSpecificationErrors(const std::string& path) {
    std::vector<ParseIssue> issues;
    try {
        issues = FindIssues(path);
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
