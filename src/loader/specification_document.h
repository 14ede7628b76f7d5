// SpecificationDocument: what a successful load keeps of a specification file.
#pragma once

#include <string>
#include <string_view>

#include "loader/specification_loader.h"
#include "loader/specification_records.h"

namespace pantrel {

// A loaded specification: the drivers and models of a file that validated against the embedded
// schema, in file order, read in the namespace given to the loader. Queries only read it.
class SpecificationDocument {
public:
    SpecificationDocument(SpecificationRecords records, std::string_view namespaceUri);
    SpecificationDocument(const SpecificationDocument&) = delete;
    SpecificationDocument& operator=(const SpecificationDocument&) = delete;

    const SpecificationRecords& records() const noexcept { return records_; }
    // The namespace URI bound to the prefix Zelvar.
    const std::string& namespaceUri() const noexcept { return namespaceUri_; }

private:
    SpecificationRecords records_;
    std::string namespaceUri_;
};

// Wraps the records of a file as a document for the queries. The loader makes every document
// this way; tests use it for records that no valid file could give.
DocumentHolder MakeSpecificationDocument(SpecificationRecords records,
                                         std::string_view namespaceUri);

}  // namespace pantrel
