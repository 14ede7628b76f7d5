// A main window without a toolkit that records what it is asked.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/list_rows.h"
#include "ui/main_window_view.h"

namespace pantrel::testing {

// A window without a toolkit: it keeps the rows, the current row and the state of its buttons
// as a list control would, and logs what the shared rules asked of it.
class RecordingView final : public MainWindowView {
public:
    const ListRows& Rows() const override { return rows_; }
    int GetCurrentItem() const override;
    void ClearList() override;
    void AppendRows(std::vector<ListRow> rows) override;
    void SetRowOrder(std::vector<int> order) override;
    void MakeCurrent(int row) override;
    void EnsureVisible(int row) override { visibleRow = row; }
    void SetHeaderImage(int column, int image) override;
    void EnableGeneralCommands(bool enable) override;
    void EnableRowCommands(bool enable) override { rowCommandsEnabled = enable; }
    void RememberFocus() override { rememberedFocus = focus; }
    void RestoreFocus() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void ShowStateNow() override;

    // The user clicks away the selection, or onto a row.
    void Deselect() { currentRow_ = -1; }
    void Select(int row) { MakeCurrent(row); }
    // The model names top to bottom.
    std::vector<std::string> Models() const;
    // The current row as "model" (empty when none).
    std::string CurrentModel() const;

    std::array<int, 4> headerImages{-1, -1, -1, -1};
    int visibleRow = -1;
    bool generalCommandsEnabled = true;
    bool rowCommandsEnabled = false;
    int waitCursors = 0;  // shown while above 0
    std::string focus = "list";
    std::optional<std::string> rememberedFocus;
    // "wait", "unwait", "disable", "enable", "paint", in the order they happened, together with
    // whatever a test adds (the store's openings).
    std::vector<std::string> events;

private:
    ListRows rows_;
    int currentRow_ = -1;  // index in Rows().Filled(), so that it moves with its row
};

}  // namespace pantrel::testing
