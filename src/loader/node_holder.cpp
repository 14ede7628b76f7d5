#include "loader/node_holder.h"

#include <utility>

namespace pantrel {

NodeHolder::NodeHolder(DocumentHolder document, xmlNode* node)
    : document_(std::move(document)), node_(node) {}

}  // namespace pantrel
