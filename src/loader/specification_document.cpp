#include "loader/specification_document.h"

#include <memory>
#include <utility>

namespace pantrel {

SpecificationDocument::SpecificationDocument(SpecificationRecords records,
                                             std::string_view namespaceUri)
    : records_(std::move(records)), namespaceUri_(namespaceUri) {}

DocumentHolder MakeSpecificationDocument(SpecificationRecords records,
                                         std::string_view namespaceUri) {
    return std::make_shared<SpecificationDocument>(std::move(records), namespaceUri);
}

}  // namespace pantrel
