#include "ui/row_order.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>

#include "registry/windows1250.h"

namespace pantrel {
namespace {

const std::string& ColumnText(const ListRow& row, int column) {
    switch (column) {
        case MODEL_COLUMN:
            return row.model;
        case PRODUCER_COLUMN:
            return row.producer;
        default:
            return row.path;
    }
}

// Sorts the positions by keys computed once per row, so a comparison never looks anything up.
template <typename Key>
std::vector<int> OrderByKeys(const std::vector<Key>& keys, bool descending) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    const auto at = [&keys](int i) -> const Key& { return keys[static_cast<std::size_t>(i)]; };
    if (descending) {
        std::stable_sort(order.begin(), order.end(), [&at](int a, int b) { return at(b) < at(a); });
    } else {
        std::stable_sort(order.begin(), order.end(), [&at](int a, int b) { return at(a) < at(b); });
    }
    return order;
}

}  // namespace

std::vector<int> SortedRowOrder(const std::vector<ListRow>& rows, int column, bool descending) {
    if (column == KIND_COLUMN) {
        std::vector<unsigned> kinds;
        kinds.reserve(rows.size());
        for (const ListRow& row : rows) {
            kinds.push_back(KindCode(row.kind));
        }
        return OrderByKeys(kinds, descending);
    }
    std::vector<std::u32string> keys;
    keys.reserve(rows.size());
    for (const ListRow& row : rows) {
        keys.push_back(Windows1250SortKey(ColumnText(row, column)));
    }
    return OrderByKeys(keys, descending);
}

}  // namespace pantrel
