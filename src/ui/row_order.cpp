#include "ui/row_order.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/windows1250.h"

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

// A row's sort key next to its position on screen, so that a comparison never looks a row up.
// The sort is stable: rows that compare equal keep their order.
template <typename Key>
struct Entry {
    Key key;
    int index;
};

template <typename Key>
std::vector<int> OrderOf(std::vector<Entry<Key>>& entries, const std::vector<int>& order,
                         bool descending) {
    if (descending) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry<Key>& a, const Entry<Key>& b) { return b.key < a.key; });
    } else {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry<Key>& a, const Entry<Key>& b) { return a.key < b.key; });
    }
    std::vector<int> sorted;
    sorted.reserve(entries.size());
    for (const Entry<Key>& entry : entries) {
        sorted.push_back(order[static_cast<std::size_t>(entry.index)]);
    }
    return sorted;
}

}  // namespace

std::vector<int> SortedRowOrder(const std::vector<ListRow>& rows, const std::vector<int>& order,
                                int column, bool descending) {
    const auto rowAt = [&](std::size_t position) -> const ListRow& {
        return rows[static_cast<std::size_t>(order[position])];
    };
    const int count = static_cast<int>(order.size());
    if (column == KIND_COLUMN) {
        std::vector<Entry<unsigned>> entries;
        entries.reserve(order.size());
        for (int i = 0; i < count; ++i) {
            entries.push_back({KindCode(rowAt(static_cast<std::size_t>(i)).kind), i});
        }
        return OrderOf(entries, order, descending);
    }
    std::vector<std::u32string> keys;
    keys.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        keys.push_back(Windows1250SortKey(ColumnText(rowAt(i), column)));
    }
    std::vector<Entry<std::u32string_view>> entries;
    entries.reserve(order.size());
    for (int i = 0; i < count; ++i) {
        entries.push_back({keys[static_cast<std::size_t>(i)], i});
    }
    return OrderOf(entries, order, descending);
}

}  // namespace pantrel
