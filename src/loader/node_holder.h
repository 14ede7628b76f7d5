// A node of a loaded document that keeps its document alive.
#pragma once

#include <libxml/tree.h>

#include "loader/specification_loader.h"

namespace pantrel {

// One node of a loaded specification document, or nothing. It shares the ownership of its
// document, so a model list stays readable after the caller dropped the document holder.
class NodeHolder {
public:
    NodeHolder() = default;
    NodeHolder(DocumentHolder document, xmlNode* node);

    bool empty() const noexcept { return node_ == nullptr || document_ == nullptr; }
    explicit operator bool() const noexcept { return !empty(); }

    xmlNode* node() const noexcept { return node_; }
    const DocumentHolder& document() const noexcept { return document_; }

private:
    DocumentHolder document_;
    xmlNode* node_ = nullptr;
};

}  // namespace pantrel
