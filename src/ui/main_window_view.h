// What the shared window rules ask of a toolkit's main window.
#pragma once

#include <vector>

#include "ui/list_row.h"
#include "ui/list_rows.h"

namespace pantrel {

// What the shared rules of the main window ask of a toolkit's window: its list control, its
// buttons and focus, and its cursor. The Qt window (Linux) and the Win32 dialog (Windows) each
// implement it and hand their events to WindowCommands; everything that decides lives there.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    MainWindowView() = default;
    MainWindowView(const MainWindowView&) = delete;
    MainWindowView& operator=(const MainWindowView&) = delete;

    // The list's rows, in the order they were read and in the order shown.
    virtual const ListRows& Rows() const = 0;
    // The position of the current item: the row holding the selection mark, provided it is both
    // selected and focused; -1 otherwise.
    virtual int GetCurrentItem() const = 0;
    // Deletes every row.
    virtual void ClearList() = 0;
    // Appends rows after the last one.
    virtual void AppendRows(std::vector<ListRow> rows) = 0;
    // Shows the rows in a new order (position i shows Rows().Filled()[order[i]]); each row keeps
    // its selection and focus state, and the selection mark goes with its row.
    virtual void SetRowOrder(std::vector<int> order) = 0;
    // Puts the selection mark on the row and makes it selected and focused, deselecting others.
    virtual void MakeCurrent(int row) = 0;
    // Scrolls the list so that the row is entirely visible.
    virtual void EnsureVisible(int row) = 0;
    // Shows a picture of the sort image list in a column's header (NO_SORT_IMAGE draws none).
    virtual void SetHeaderImage(int column, int image) = 0;

    // "&Dodaj" and "Zamknij".
    virtual void EnableGeneralCommands(bool enable) = 0;
    // "&Usuń" and the hidden "U&aktualnij".
    virtual void EnableRowCommands(bool enable) = 0;
    // Remembers the control that has the keyboard focus now (none if none has it).
    virtual void RememberFocus() = 0;
    // Gives the focus back to the remembered control, if any, and forgets it.
    virtual void RestoreFocus() = 0;

    // The wait cursor, shown from Begin to End.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Paints the window as it is now (its disabled controls, the wait cursor, the area a closed
    // dialog uncovered) before long work starts. Handles no user input.
    virtual void ShowStateNow() = 0;
};

}  // namespace pantrel
