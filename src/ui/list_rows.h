// The model list's rows and the order it shows them in.
#pragma once

#include <cstddef>
#include <vector>

#include "ui/list_row.h"

namespace pantrel {

// The rows of the model list in the order they were read, and the order in which the list shows
// them. Sorting moves positions only, never the rows, so a window can carry a row's selection
// along with it.
class ListRows {
public:
    std::size_t Count() const { return rows_.size(); }
    // The rows in the order they were appended, whatever the order on screen.
    const std::vector<ListRow>& Filled() const { return rows_; }
    // Position on screen -> index in Filled().
    const std::vector<int>& Order() const { return order_; }
    // The row at a position on screen.
    const ListRow& Row(int position) const {
        return rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(position)])];
    }

    void Clear();
    // Appends rows after the last position.
    void Append(std::vector<ListRow> rows);
    // Puts the rows in a new order: position i shows Filled()[order[i]]. Answers where each old
    // position went (old position -> new position), empty when `order` is no such permutation.
    std::vector<int> SetOrder(std::vector<int> order);

private:
    std::vector<ListRow> rows_;
    std::vector<int> order_;
};

}  // namespace pantrel
