#include "loader/node_holder.h"

#include <utility>

namespace pantrel {

NodeHolder::NodeHolder(DocumentHolder document, std::size_t model)
    : document_(std::move(document)), model_(model) {}

}  // namespace pantrel
