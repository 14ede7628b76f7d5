// One validating pass of the parser over a driver file.
#pragma once

#include <string>
#include <vector>

#include "loader/libxml_handles.h"

namespace pantrel {

// One error reported while a specification file was read: where parsing stood in the file and
// the parser's description of it (UTF-8, no line end).
struct ParseIssue {
    long line = 0;    // from 1; 0 when the error lies in no line (the file could not be opened)
    long column = 0;  // from 1, in characters of that line; 0 when no position is known
    std::string description;
};

enum class IssueScope {
    FirstOnly,  // keep the first error only; loading shows no more than that
    All,        // keep every error, in the order reported
};

// How much of the file the parsed tree holds.
enum class TreeExtent {
    Whole,            // every node the parser keeps
    ForModelQueries,  // without the descriptions of models (see DescriptionSkipping)
};

struct ValidatingParseResult {
    XmlDocPtr document;  // the parsed tree; empty when the file is not well-formed
    std::vector<ParseIssue> issues;
    std::string encoding;  // the decoder the parser read the file with; empty for UTF-8
    // True when the validator's clean verdict on this pass is also the verdict on the finished
    // tree, so that validating the tree once more would only repeat the pass: no error was
    // recorded and the file has no document type declaration. Through such a declaration alone
    // the tree can hold what the validator never saw (attributes it defaults, entity texts the
    // parser copies into the tree).
    bool treeValidated = false;
    // True when model descriptions were left out of the tree: it answers the model queries, and
    // the file must be read whole for anything else.
    bool descriptionsLeftOut = false;
};

// Parses the file at `path` and validates it against `schema` in the same pass, so every error
// carries the position where parsing stood. Internal entities are expanded before validation;
// no resource outside the file is read (each one asked for is an error), nothing reaches the
// network, and libxml2's own limits on depth and entity expansion hold. Throws ParserError when
// a parser object cannot be made. The errors and verdicts do not depend on `extent`.
ValidatingParseResult ParseAndValidate(const std::string& path, xmlSchema& schema, IssueScope scope,
                                       TreeExtent extent = TreeExtent::Whole);

// Validates the whole parsed tree once more against `schema`; errors it finds are added to
// `issues` when given (without a column: the tree keeps lines only). True when the tree is valid.
bool ValidateTree(xmlDoc& document, xmlSchema& schema, std::vector<ParseIssue>* issues);

}  // namespace pantrel
