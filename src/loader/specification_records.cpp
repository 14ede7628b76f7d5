#include "loader/specification_records.h"

#include <limits>
#include <utility>

namespace pantrel {

bool SpecificationRecords::AddDriver(std::string kind) {
    if (drivers_.size() >= std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    drivers_.push_back({std::move(kind), {}});
    return true;
}

bool SpecificationRecords::AddModel() {
    if (drivers_.empty()) {
        return false;
    }
    models_.push_back({names_.size(), 0, static_cast<std::uint32_t>(drivers_.size() - 1)});
    return true;
}

void SpecificationRecords::AppendToLastName(std::string_view text) {
    ModelRecord& model = models_.back();
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - model.nameLength) {
        return;
    }
    names_.append(text);
    model.nameLength += static_cast<std::uint32_t>(text.size());
}

}  // namespace pantrel
