#pragma once

#include <windows.h>

#include <string>

#include "kinds/device_kind.h"
#include "registry/registry_store.h"
#include "ui/win32/image_list.h"
#include "ui/win32/model_list_view.h"

// The main window (dialog template 102): every registered device model in one list, with the
// commands to add the models of a specification file, remove one model and re-read the list.
// The list is only a view of the registry; every change is followed by a full re-read.
class CPantrelDlg final {
public:
    // The header picture of a column that is no longer sorted: one past the last sort picture,
    // so the column keeps an image slot that draws nothing.
    static constexpr int NO_SORT_IMAGE = 3;

    CPantrelDlg(pantrel::RegistryStore& hive, HINSTANCE module);
    ~CPantrelDlg() = default;
    CPantrelDlg(const CPantrelDlg&) = delete;
    CPantrelDlg& operator=(const CPantrelDlg&) = delete;

    // Shows the window and runs its message loop until it is closed; the loop offers every key
    // to the accelerators before the dialog's own keyboard handling.
    INT_PTR DoModal();

    int GetCurrentItem() const { return m_modelList.GetCurrentItem(); }
    std::string GetItemModel(int row) const;
    std::string GetItemProducer(int row) const;
    pantrel::DeviceKind GetItemKind(int row) const;

    void RefreshList();
    void FillKind(pantrel::DeviceKind kind);
    void ClearList() { m_modelList.Clear(); }
    void SortList();
    void SetHeaderImage(int column, int image) { m_modelList.SetHeaderImage(column, image); }
    void EnableControls(bool enable);
    bool SelectSpecificationFile(std::string& path);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool PreTranslateMessage(MSG& message);

    BOOL OnInitDialog();
    void OnCommand(int command);
    INT_PTR OnNotify(const NMHDR& header);
    void OnSysCommand(WPARAM command, LPARAM position);
    bool OnPaint();
    void OnContextMenu(LPARAM position);
    void OnInitMenuPopup(HMENU menu);
    void OnDestroy();
    void EndModalLoop(INT_PTR result);

    void OnAddSpecification();
    void OnRemoveModel();
    void OnRefreshList();
    void OnUpdateCurrent();
    void OnColumnClick(int column);
    void OnItemChanged(UINT newState);
    void SetRowControls(bool enable);

    pantrel::RegistryStore& m_hive;
    HINSTANCE m_module;
    HWND m_hWnd = nullptr;
    bool m_modalEnded = false;
    INT_PTR m_modalResult = IDCANCEL;

    HICON m_windowIcon;
    HACCEL m_accelerators;
    pantrel::win32::ModelListView m_modelList;
    // Destroyed in reverse order: the header's pictures first, then the rows'.
    pantrel::win32::ImageList m_kindImages;
    pantrel::win32::ImageList m_sortImages;
    int m_rememberedRow = 0;
    int m_sortColumn = 1;
    bool m_sortDescending = false;
    HWND m_focusBeforeDisable = nullptr;
};
