#include "ui/model_list_logic.h"

#include <utility>

#include "ui/row_order.h"

namespace pantrel {

void ModelListLogic::RefreshList(std::vector<ListRow> rows) {
    rememberedRow_ = view_.GetCurrentItem();
    if (rememberedRow_ == -1) {
        rememberedRow_ = 0;
    }
    view_.ClearList();
    view_.AppendRows(std::move(rows));
    const auto count = static_cast<int>(view_.Rows().Count());
    if (count == 0) {
        return;
    }
    if (rememberedRow_ >= count) {
        rememberedRow_ = count - 1;
    }
    SortList();
}

void ModelListLogic::SortList() {
    const ListRows& rows = view_.Rows();
    view_.SetRowOrder(SortedRowOrder(rows.Filled(), rows.Order(), sortColumn_, sortDescending_));
    view_.SetHeaderImage(sortColumn_,
                         sortDescending_ ? SORT_DESCENDING_IMAGE : SORT_ASCENDING_IMAGE);
    const int current = view_.GetCurrentItem();
    const auto count = static_cast<int>(rows.Count());
    if (current != rememberedRow_) {
        if (current >= 0) {
            rememberedRow_ = current;
        }
        if (rememberedRow_ < count) {
            view_.MakeCurrent(rememberedRow_);
        }
    }
    if (rememberedRow_ < count) {
        view_.EnsureVisible(rememberedRow_);
    }
}

void ModelListLogic::OnColumnClick(int column) {
    if (column == sortColumn_) {
        sortDescending_ = !sortDescending_;
    } else {
        view_.SetHeaderImage(sortColumn_, NO_SORT_IMAGE);
        sortDescending_ = false;
    }
    sortColumn_ = column;
    SortList();
}

}  // namespace pantrel
