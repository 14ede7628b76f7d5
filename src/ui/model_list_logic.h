// The model list's rules for the current row and sorting.
#pragma once

#include <vector>

#include "ui/list_row.h"
#include "ui/main_window_view.h"

namespace pantrel {

// The rules of the model list that every window follows: which row is current after a re-read
// and after sorting, the sort column and direction, and what a header click changes.
class ModelListLogic {
public:
    explicit ModelListLogic(MainWindowView& view) : view_(view) {}

    // Shows freshly read rows, sorted as before, and makes the row at the old current position
    // current again (the first row when none was current, the last one when the list became
    // shorter). An empty list is not sorted and its header pictures stay as they were.
    void RefreshList(std::vector<ListRow> rows);
    // Sorts by the sort column and direction, shows the sort picture, and keeps the current row
    // current and in view; with none current, the row at the remembered position becomes current.
    void SortList();
    // A click on a column header: the same column reverses the direction, another one is sorted
    // ascending and the previous column's picture goes.
    void OnColumnClick(int column);

    int RememberedRow() const { return rememberedRow_; }
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }

private:
    MainWindowView& view_;
    int rememberedRow_ = 0;
    int sortColumn_ = MODEL_COLUMN;
    bool sortDescending_ = false;
};

}  // namespace pantrel
