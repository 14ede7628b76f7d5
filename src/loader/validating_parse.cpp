#include "loader/validating_parse.h"

#include <memory>
#include <new>
#include <string_view>
#include <utility>

#include "loader/messages/description_text.h"
#include "base/input_file.h"
#include "loader/line_end_reader.h"
#include "loader/outside_resource_block.h"
#include "loader/parser_error.h"
#include "loader/record_builder.h"
#include "loader/messages/xml_error_description.h"
#include "loader/xml_error_scope.h"

namespace pantrel {
namespace {

// Safe reading of an untrusted file: internal entities are substituted (the schema validator
// cannot see entity references), BIG_LINES keeps line numbers past 65,535 right. Never HUGE:
// libxml2's limits on depth and expansion stay on. Outside resources are refused by
// OutsideResourceBlock; NONET is a second lock on the network.
constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_BIG_LINES;

constexpr std::string_view kFileUnreadable = "Nie można otworzyć pliku do odczytu.";
constexpr std::string_view kNotParsed = "Plik nie jest poprawnym dokumentem XML.";
constexpr std::string_view kNotValid =
    "Plik nie przeszedł końcowego sprawdzenia zgodności ze schematem.";
constexpr std::string_view kDtdDefault =
    "Element ma atrybut, którego wartość podaje tylko deklaracja typu dokumentu (DTD); plik "
    "musi podawać ją sam.";

// The input of the file itself: the innermost one that has a name (the entities the parser
// steps into have none), else the first.
xmlParserInputPtr FileInput(const xmlParserCtxt& parser) {
    for (int i = parser.inputNr - 1; i >= 0; --i) {
        if (parser.inputTab[i] != nullptr && parser.inputTab[i]->filename != nullptr) {
            return parser.inputTab[i];
        }
    }
    return parser.inputNr > 0 ? parser.inputTab[0] : nullptr;
}

bool IsParserDomain(int domain) {
    return domain == XML_FROM_PARSER || domain == XML_FROM_NAMESPACE || domain == XML_FROM_IO ||
           domain == XML_FROM_DTD || domain == XML_FROM_MEMORY || domain == XML_FROM_I18N;
}

// Collects the errors of one parse; libxml2 calls it from inside the parser.
class IssueRecorder {
public:
    IssueRecorder(xmlParserCtxt& parser, IssueScope scope, std::string_view specificationNamespace)
        : parser_(parser), scope_(scope), namespace_(specificationNamespace) {}

    static void OnError(void* data, xmlErrorPtr error) {
        if (error == nullptr || error->level == XML_ERR_WARNING) {
            return;
        }
        auto& recorder = *static_cast<IssueRecorder*>(data);
        try {
            recorder.Record(*error);
        } catch (...) {
            // Out of memory while noting an error: the file is rejected all the same.
            recorder.lost_ = true;
        }
    }

    void Refused(std::string_view resource) noexcept {
        try {
            std::string description = "Odwołanie do zasobu spoza pliku ('";
            description.append(OneLine(resource));
            description.append("') zostało odrzucone: wczytywany jest tylko sam plik.");
            AddHere(std::move(description));
        } catch (...) {
            lost_ = true;
        }
    }

    // An error of our own, where parsing stands.
    void AddHere(std::string description) {
        const auto [line, column] = CurrentPosition();
        Add({line, column, std::move(description)});
    }

    bool lost() const { return lost_; }
    std::vector<ParseIssue>& issues() { return issues_; }
    std::string& encoding() { return encoding_; }

private:
    void Record(const xmlError& error) {
        // What follows a well-formedness error describes a document that is not there.
        if (brokenDocument_ && error.level != XML_ERR_FATAL) {
            return;
        }
        brokenDocument_ = brokenDocument_ || error.level == XML_ERR_FATAL;
        const auto [line, column] = CurrentPosition();
        ParseIssue issue{line, column, DescribeXmlError(error, namespace_)};
        // The parser's own errors in the file's text name their position; errors inside entity
        // text and those of the validator stand where the parser stands in the file.
        const bool inFileText = parser_.input != nullptr && parser_.input->filename != nullptr;
        if (IsParserDomain(error.domain) && error.ctxt == &parser_ && inFileText &&
            error.line > 0) {
            issue.line = error.line;
            if (error.int2 > 0) {
                issue.column = error.int2;
            }
        }
        Add(std::move(issue));
    }

    void Add(ParseIssue issue) {
        if (scope_ == IssueScope::FirstOnly && !issues_.empty()) {
            return;
        }
        // The parser repeats some errors as it unwinds (an entity loop once per level).
        if (!issues_.empty() && issues_.back().line == issue.line &&
            issues_.back().column == issue.column &&
            issues_.back().description == issue.description) {
            return;
        }
        if (issues_.empty()) {
            NoteEncoding();
        }
        issues_.push_back(std::move(issue));
    }

    std::pair<long, long> CurrentPosition() const {
        const xmlParserInputPtr input = FileInput(parser_);
        if (input == nullptr) {
            return {0, 0};
        }
        return {input->line, input->col};
    }

    // The decoder is gone once the parser ends, so it is noted with the first error.
    void NoteEncoding() {
        const xmlParserInputPtr input = parser_.inputNr > 0 ? parser_.inputTab[0] : nullptr;
        if (input != nullptr && input->buf != nullptr && input->buf->encoder != nullptr &&
            input->buf->encoder->name != nullptr) {
            encoding_ = input->buf->encoder->name;
        }
    }

    xmlParserCtxt& parser_;
    IssueScope scope_;
    std::string_view namespace_;
    std::vector<ParseIssue> issues_;
    std::string encoding_;
    bool lost_ = false;
    bool brokenDocument_ = false;
};

// Where the streaming validator stands: the parser's line in the file.
int LocateInFile(void* context, const char** file, unsigned long* line) {
    const xmlParserInputPtr input = FileInput(*static_cast<xmlParserCtxt*>(context));
    if (file != nullptr) {
        *file = input != nullptr ? input->filename : nullptr;
    }
    if (line != nullptr) {
        *line = input != nullptr && input->line > 0 ? static_cast<unsigned long>(input->line) : 0;
    }
    return input != nullptr ? 0 : -1;
}

ValidatingParseResult ParseOnce(const std::string& path, const CompiledSchema& schema,
                                IssueScope scope) {
    ValidatingParseResult result;
    InputFile file = OpenInputFile(path);
    if (!file) {
        result.issues.push_back({0, 0, std::string(kFileUnreadable)});
        return result;
    }
    PrepareXmlParser();
    const ParserContextPtr parser(xmlNewParserCtxt());
    const SchemaValidContextPtr validator(xmlSchemaNewValidCtxt(schema.schema.get()));
    if (!parser || !validator) {
        throw ParserError(E_POINTER_STATUS);
    }
    // The parser keeps its document type and entity handlers (entities are looked up in the
    // document it starts); elements and text go to the builder instead of a tree.
    RecordBuilder builder(schema.namespaceUri);
    RecordBuilder::Install(*parser->sax);
    parser->_private = &builder;
    IssueRecorder recorder(*parser, scope, schema.namespaceUri);
    xmlSchemaSetValidStructuredErrors(validator.get(), &IssueRecorder::OnError, &recorder);
    xmlSchemaValidateSetLocator(validator.get(), LocateInFile, parser.get());
    XmlDocPtr document;
    {
        // The plug goes before the parser: unplugging puts the parser's own handlers back.
        const SchemaSaxPlugPtr plug(
            xmlSchemaSAXPlug(validator.get(), &parser->sax, &parser->userData));
        if (!plug) {
            throw ParserError(E_FAIL_STATUS);
        }
        const XmlErrorScope errors(&IssueRecorder::OnError, &recorder);
        const OutsideResourceBlock nothingOutside(
            [&recorder](std::string_view resource) { recorder.Refused(resource); });
        // The parser owns the reader from here and closes it, also when it fails. What comes
        // back holds no more than the document type declaration.
        document.reset(xmlCtxtReadIO(parser.get(), LineEndReader::ReadCallback,
                                     LineEndReader::CloseCallback,
                                     std::make_unique<LineEndReader>(std::move(file)).release(),
                                     path.c_str(), nullptr, kParseOptions));
    }
    if (builder.failed()) {
        throw std::bad_alloc();
    }
    if (recorder.issues().empty() && (!document || recorder.lost())) {
        recorder.AddHere(std::string(kNotParsed));
    }
    if (recorder.issues().empty()) {
        if (xmlSchemaIsValid(validator.get()) != 1) {
            result.closingIssue = {0, 0, std::string(kNotValid)};
        } else if (builder.dtdDefaultedLine() != 0) {
            result.closingIssue = {builder.dtdDefaultedLine(), 0, std::string(kDtdDefault)};
        } else {
            result.valid = true;
        }
    }
    result.records = std::move(builder.records());
    result.issues = std::move(recorder.issues());
    result.encoding = std::move(recorder.encoding());
    return result;
}

}  // namespace

ValidatingParseResult ParseAndValidate(const std::string& path, const CompiledSchema& schema,
                                       IssueScope scope) {
    return ParseOnce(path, schema, scope);
}

}  // namespace pantrel
