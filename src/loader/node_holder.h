// NodeHolder: one model of a loaded specification document.
#pragma once

#include <cstddef>

#include "loader/specification_loader.h"

namespace pantrel {

// One model of a loaded specification document, or nothing. It shares the ownership of its
// document, so a model list stays readable after the caller dropped the document holder.
class NodeHolder {
public:
    NodeHolder() = default;
    NodeHolder(DocumentHolder document, std::size_t model);

    bool empty() const noexcept { return document_ == nullptr; }
    explicit operator bool() const noexcept { return !empty(); }

    // Index of the model among the document's models, in file order.
    std::size_t model() const noexcept { return model_; }
    const DocumentHolder& document() const noexcept { return document_; }

private:
    DocumentHolder document_;
    std::size_t model_ = 0;
};

}  // namespace pantrel
