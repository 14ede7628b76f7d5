// The main window on Win32.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/list_rows.h"
#include "ui/main_window_view.h"
#include "ui/store_access.h"
#include "ui/win32/image_list.h"
#include "ui/win32/model_list_view.h"
#include "ui/win32/win32_user_prompts.h"
#include "ui/window_commands.h"

// The main window on Windows (dialog template 102): every registered device model in one list,
// with the commands to add the models of a specification file, remove one model and re-read the
// list. What it decides (rows, order, current row, commands, messages) is
// pantrel::WindowCommands'; this class is its Win32 face: the dialog, its list-view, keys, menus
// and frame.
class CPantrelDlg final : public pantrel::MainWindowView {
public:
    CPantrelDlg(pantrel::StoreAccess store, HINSTANCE module);
    ~CPantrelDlg() override = default;
    CPantrelDlg(const CPantrelDlg&) = delete;
    CPantrelDlg& operator=(const CPantrelDlg&) = delete;

    // Shows the window and runs its message loop until it is closed. The loop offers every key
    // meant for the window to the accelerators before the dialog's own keyboard handling.
    INT_PTR DoModal();

    // The shared rules' view of the window.
    const pantrel::ListRows& Rows() const override { return m_rows; }
    int GetCurrentItem() const override { return m_modelList.GetCurrentItem(); }
    void ClearList() override;
    void AppendRows(std::vector<pantrel::ListRow> rows) override;
    void SetRowOrder(std::vector<int> order) override;
    void MakeCurrent(int row) override { m_modelList.MakeCurrent(row); }
    void EnsureVisible(int row) override { m_modelList.EnsureVisible(row); }
    void SetHeaderImage(int column, int image) override;
    void EnableGeneralCommands(bool enable) override;
    void EnableRowCommands(bool enable) override;
    void RememberFocus() override;
    void RestoreFocus() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void ShowStateNow() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool PreTranslateMessage(MSG& message);

    BOOL OnInitDialog();
    void OnCommand(int command);
    INT_PTR OnNotify(const NMHDR& header);
    void OnAbout();
    bool OnPaint();
    void OnContextMenu(LPARAM position);
    void OnInitMenuPopup(HMENU menu);
    void OnDestroy();
    void EndModalLoop(INT_PTR result);

    HINSTANCE m_module;
    HWND m_hWnd = nullptr;
    bool m_modalEnded = false;
    INT_PTR m_modalResult = IDCANCEL;

    HICON m_windowIcon;     // shared, never destroyed
    HACCEL m_accelerators;  // a resource of the module, freed with it
    pantrel::win32::ModelListView m_modelList;
    // Destroyed in reverse order, after the list control: the header's pictures first.
    pantrel::win32::ImageList m_kindImages;
    pantrel::win32::ImageList m_sortImages;
    pantrel::ListRows m_rows;  // what the virtual list shows, position by position
    bool m_movingRows = false;
    HWND m_focusBeforeDisable = nullptr;
    HCURSOR m_cursorBeforeWait = nullptr;
    int m_waitDepth = 0;
    pantrel::win32::Win32UserPrompts m_prompts;
    pantrel::WindowCommands m_commands;
};
