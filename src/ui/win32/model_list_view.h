// The model list's Win32 list-view control.
#pragma once

#include <windows.h>
// After windows.h, whose types it builds on.
#include <commctrl.h>

#include <array>
#include <vector>

#include "ui/list_row.h"

namespace pantrel::win32 {

// The model list's list-view control in report view. It shows the rows; which rows there are and
// in which order is decided by the shared list rules, which hand the control its rows and moves.
class ModelListView {
public:
    void Attach(HWND list) { list_ = list; }
    HWND Handle() const { return list_; }

    // Full-row selection added to whatever extended style the control has; the image lists stay
    // the window's, the control and its header only borrow them.
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

    // Moves every row from its position p to `newPosition[p]`; each row keeps its selection and
    // focus state and the selection mark goes with its row.
    void MoveRows(const std::vector<int>& newPosition);
    // Shows picture `image` of the header's image list right of the column's text.
    void SetHeaderImage(int column, int image);
    // Gives the row the selection mark, the selection and the focus.
    void MakeCurrent(int row);
    // Scrolls until the row is entirely in view.
    void EnsureVisible(int row);

private:
    LPARAM ItemData(int row) const;

    HWND list_ = nullptr;
};

}  // namespace pantrel::win32
