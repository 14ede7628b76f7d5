// The model list's Win32 list-view control, a virtual one.
#pragma once

#include <windows.h>
// After windows.h, whose types it builds on.
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <vector>

#include "ui/list_row.h"
#include "ui/list_rows.h"

namespace pantrel::win32 {

// The model list's list-view control in report view, a virtual one: it keeps only the number
// of rows and their selection and focus, and asks the window for a row's texts when it paints
// it. Filling, re-reading and sorting thus cost the same whatever the registry holds, with no
// redraw per row. Which rows there are and in which order is decided by the shared list rules.
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
    // Shows `count` rows, keeping the selection and focus of the rows already shown.
    void SetCount(std::size_t count);
    // Deletes every row, with its selection and focus.
    void Clear();

    // The row that holds the selection mark, if it is both selected and focused; else -1.
    int GetCurrentItem() const;

    // After the rows moved from position p to `newPosition[p]`: the selection, the focus and the
    // selection mark go with their rows, and the rows are painted anew.
    void MoveRows(const std::vector<int>& newPosition);
    // Shows picture `image` of the header's image list right of the column's text.
    void SetHeaderImage(int column, int image);
    // Gives the row the selection mark, the selection and the focus.
    void MakeCurrent(int row);
    // Scrolls until the row is entirely in view.
    void EnsureVisible(int row);

private:
    HWND list_ = nullptr;
};

// Answers the control's request for what a row shows: the picture of its kind in the first
// column, the model, the producer and the path in the others, from the row at that position.
void AnswerDisplayInfo(NMLVDISPINFOW& request, const ListRows& rows);

}  // namespace pantrel::win32
