// Sorting the model list by one column.
#pragma once

#include <vector>

#include "ui/list_row.h"

namespace pantrel {

// The order of the model list sorted by one column, starting from the order on screen
// (`order[i]` is the index in `rows` of the row at position i): new position i shows
// rows[result[i]].
// The kind column compares kind codes (cash registers, fiscal printers, label scales); the text
// columns compare the texts' Windows-1250 bytes with case significant, so capitals come before
// small letters and Polish letters after every unaccented one. Descending reverses each
// comparison. Rows that compare equal keep their order on screen.
std::vector<int> SortedRowOrder(const std::vector<ListRow>& rows, const std::vector<int>& order,
                                int column, bool descending);

}  // namespace pantrel
