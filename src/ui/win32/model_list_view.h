#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "kinds/device_kind.h"
#include "ui/list_row.h"

namespace pantrel::win32 {

// The model list's list-view control (report view) with the rows it shows. Each row's texts are
// in the control; the rows are also kept in the order they were filled, so that a sort computes
// every row's key once and the control only moves the rows.
class ModelListView {
public:
    ModelListView() = default;
    ~ModelListView() = default;
    ModelListView(const ModelListView&) = delete;
    ModelListView& operator=(const ModelListView&) = delete;

    void Attach(HWND list) { list_ = list; }
    HWND Handle() const { return list_; }

    // Full-row selection added to whatever extended style the control has; the image lists stay
    // the window's, the control only borrows them.
    void Prepare(HIMAGELIST kindImages, HIMAGELIST sortImages);
    // The width of the client area, from which the column widths are computed.
    int ClientWidth() const;
    // The four columns with their headers, left-aligned.
    void AddColumns(const std::array<int, LIST_COLUMN_COUNT>& widths);

    int Count() const;
    // Appends rows after the last one, each with its kind picture and its own kind block.
    void Append(const std::vector<ListRow>& rows);
    // Deletes every row, freeing each row's kind block first.
    void Clear();

    // The row that holds the selection mark, if it is both selected and focused; else -1.
    int GetCurrentItem() const;
    std::string ItemText(int row, int column) const;
    DeviceKind ItemKind(int row) const;

    // Puts the rows in order by one column; each row keeps its selection and focus state.
    void Sort(int column, bool descending);
    // Shows picture `image` of the header's image list right of the column's text.
    void SetHeaderImage(int column, int image);
    // Gives the row the selection mark, the selection and the focus.
    void MakeCurrent(int row);
    // Scrolls until the row is entirely in view.
    void EnsureVisible(int row);

private:
    LPARAM ItemData(int row) const;

    HWND list_ = nullptr;
    std::vector<ListRow> filled_;                   // in the order they were appended
    std::vector<LPARAM> blocks_;                    // kind block of each filled row
    std::unordered_map<LPARAM, int> filledIndex_;  // kind block -> index in filled_
};

}  // namespace pantrel::win32
