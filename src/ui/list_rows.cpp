#include "ui/list_rows.h"

#include <utility>

namespace pantrel {

void ListRows::Clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    order_.clear();
    order_.shrink_to_fit();
}

void ListRows::Append(std::vector<ListRow> rows) {
    rows_.reserve(rows_.size() + rows.size());
    order_.reserve(order_.size() + rows.size());
    for (ListRow& row : rows) {
        order_.push_back(static_cast<int>(rows_.size()));
        rows_.push_back(std::move(row));
    }
}

std::vector<int> ListRows::SetOrder(std::vector<int> order) {
    if (order.size() != rows_.size()) {
        return {};
    }
    std::vector<int> newPosition(order.size(), -1);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto filled = static_cast<std::size_t>(order[i]);
        if (order[i] < 0 || filled >= order.size() || newPosition[filled] != -1) {
            return {};
        }
        newPosition[filled] = static_cast<int>(i);
    }
    std::vector<int> moved(order.size());
    for (std::size_t old = 0; old < order_.size(); ++old) {
        moved[old] = newPosition[static_cast<std::size_t>(order_[old])];
    }
    order_ = std::move(order);
    return moved;
}

}  // namespace pantrel
