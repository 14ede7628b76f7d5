// One validating pass over a specification file: its errors and what install reads of it.
#pragma once

#include <string>
#include <vector>

#include "loader/embedded_schema.h"
#include "loader/specification_records.h"

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

struct ValidatingParseResult {
    SpecificationRecords records;  // what install reads; complete only for a valid file
    std::vector<ParseIssue> issues;
    std::string encoding;  // the decoder the parser read the file with; empty for UTF-8
    // True when the file loads: no error was recorded, the validator itself found the document
    // valid, and the records are complete.
    bool valid = false;
    // When no error was recorded and the file still does not load, why (a line and a
    // description without a column); `-validate` prints it, a load rejects the file silently.
    ParseIssue closingIssue;
};

// Reads the file at `path` once, validating it against `schema` as it goes and recording its
// drivers and models; no document tree is built. Every error carries the position where parsing
// stood. Internal entities are expanded before validation; no resource outside the file is read
// (each one asked for is an error), nothing reaches the network, and libxml2's own limits on
// depth and entity expansion hold. After a well-formedness error only such errors are kept: what
// the validator says of a broken document means nothing. Throws ParserError when a parser object
// cannot be made.
ValidatingParseResult ParseAndValidate(const std::string& path, const CompiledSchema& schema,
                                       IssueScope scope);

}  // namespace pantrel
