#include "recording_view.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

namespace pantrel::testing {

int RecordingView::GetCurrentItem() const {
    if (currentRow_ < 0) {
        return -1;
    }
    const std::vector<int>& order = rows_.Order();
    const auto at = std::find(order.begin(), order.end(), currentRow_);
    return at == order.end() ? -1 : static_cast<int>(std::distance(order.begin(), at));
}

void RecordingView::ClearList() {
    rows_.Clear();
    currentRow_ = -1;
}

void RecordingView::AppendRows(std::vector<ListRow> rows) {
    rows_.Append(std::move(rows));
}

void RecordingView::SetRowOrder(std::vector<int> order) {
    rows_.SetOrder(std::move(order));
}

void RecordingView::MakeCurrent(int row) {
    currentRow_ = rows_.Order()[static_cast<std::size_t>(row)];
}

void RecordingView::SetHeaderImage(int column, int image) {
    headerImages[static_cast<std::size_t>(column)] = image;
}

void RecordingView::EnableGeneralCommands(bool enable) {
    generalCommandsEnabled = enable;
    events.emplace_back(enable ? "enable" : "disable");
}

void RecordingView::RestoreFocus() {
    if (rememberedFocus) {
        focus = *rememberedFocus;
        rememberedFocus.reset();
    }
}

void RecordingView::BeginWaitCursor() {
    ++waitCursors;
    events.emplace_back("wait");
}

void RecordingView::EndWaitCursor() {
    --waitCursors;
    events.emplace_back("unwait");
}

void RecordingView::ShowStateNow() {
    events.emplace_back("paint");
}

std::vector<std::string> RecordingView::Models() const {
    std::vector<std::string> models;
    for (std::size_t position = 0; position < rows_.Count(); ++position) {
        models.push_back(rows_.Row(static_cast<int>(position)).model);
    }
    return models;
}

std::string RecordingView::CurrentModel() const {
    const int row = GetCurrentItem();
    return row < 0 ? std::string{} : rows_.Row(row).model;
}

}  // namespace pantrel::testing
