#include "ui/win32/pantrel_dlg.h"

#include <commctrl.h>

#include <cstdint>

#include "kinds/string_table.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/specification_install.h"
#include "ui/list_row.h"
#include "ui/win32/about_dlg.h"
#include "ui/win32/context_menu.h"
#include "ui/win32/file_dialog.h"
#include "ui/win32/message_boxes.h"
#include "resource.h"
#include "ui/win32/string_resource.h"
#include "ui/win32/wait_cursor.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_chrome.h"

using pantrel::DeviceKind;
namespace win32 = pantrel::win32;

namespace {

// The keyboard messages, WM_KEYDOWN to WM_SYSDEADCHAR, that the accelerators see first.
constexpr UINT FIRST_KEY_MESSAGE = 0x100;
constexpr UINT LAST_KEY_MESSAGE = 0x108;

// The window's widths: 4, 32, 30 and 30 per cent of the list's client width, each truncated.
std::array<int, pantrel::LIST_COLUMN_COUNT> ColumnWidths(int clientWidth) {
    return {4 * clientWidth / 100, 32 * clientWidth / 100, 30 * clientWidth / 100,
            30 * clientWidth / 100};
}

// A string of the module's string table in UTF-8, or the program's own copy of it.
std::string ResourceText(HINSTANCE module, unsigned id) {
    const std::wstring text = win32::LoadWideString(module, id);
    return text.empty() ? std::string{pantrel::LoadResourceString(id)} : win32::Narrow(text);
}

// The removal question names the model in place of its one "%s".
std::string FormatWithModel(std::string pattern, const std::string& model) {
    const std::size_t at = pattern.find("%s");
    if (at != std::string::npos) {
        pattern.replace(at, 2, model);
    }
    return pattern;
}

// Shows the loader's messages about a specification file as error boxes over the window.
class BoxMessageSink final : public pantrel::MessageSink {
public:
    BoxMessageSink(HWND owner, HINSTANCE module) : owner_(owner), module_(module) {}
    void ShowError(const std::string& text) override {
        win32::ShowErrorBox(owner_, module_, text);
    }

private:
    HWND owner_;
    HINSTANCE module_;
};

}  // namespace

CPantrelDlg::CPantrelDlg(pantrel::RegistryStore& hive, HINSTANCE module)
    : m_hive(hive),
      m_module(module),
      m_windowIcon(LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_accelerators(LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_ACCELERATOR))) {}

INT_PTR CPantrelDlg::DoModal() {
    m_modalEnded = false;
    m_modalResult = IDCANCEL;
    if (CreateDialogParamW(m_module, MAKEINTRESOURCEW(IDD_PANTREL_DIALOG), nullptr,
                           &CPantrelDlg::DialogProc, reinterpret_cast<LPARAM>(this)) == nullptr) {
        return -1;
    }
    ShowWindow(m_hWnd, SW_SHOW);
    MSG message{};
    while (!m_modalEnded) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        if (!PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    return m_modalResult;
}

void CPantrelDlg::EndModalLoop(INT_PTR result) {
    m_modalResult = result;
    m_modalEnded = true;
}

bool CPantrelDlg::PreTranslateMessage(MSG& message) {
    // Delete, F5 and Ctrl+R wherever the focus is in the window, the buttons included.
    const bool inWindow = message.hwnd == m_hWnd || IsChild(m_hWnd, message.hwnd);
    if (message.message >= FIRST_KEY_MESSAGE && message.message <= LAST_KEY_MESSAGE && inWindow &&
        m_accelerators != nullptr && TranslateAcceleratorW(m_hWnd, m_accelerators, &message)) {
        return true;
    }
    return IsDialogMessageW(m_hWnd, &message) != FALSE;
}

INT_PTR CALLBACK CPantrelDlg::DialogProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CPantrelDlg*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CPantrelDlg*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR CPantrelDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == ABOUT_COMMAND_ID) {
                OnSysCommand(wParam, lParam);
                return TRUE;
            }
            return FALSE;
        case WM_PAINT:
            return OnPaint() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_windowIcon);
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) == 0) {
                OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            }
            return FALSE;
        case WM_HELP:
            // There is no help file: F1 and help requests do nothing.
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CPantrelDlg::OnInitDialog() {
    win32::AddAboutEntry(m_hWnd, m_module, IDS_ABOUTBOX, ABOUT_COMMAND_ID);
    win32::SetWindowIcons(m_hWnd, m_windowIcon);

    m_modelList.Attach(GetDlgItem(m_hWnd, IDC_LIST));
    m_kindImages = win32::LoadImageStrip(m_module, IDB_KIND_IMAGES);
    m_sortImages = win32::LoadImageStrip(m_module, IDB_SORT_IMAGES);
    m_modelList.Prepare(m_kindImages.Get(), m_sortImages.Get());
    m_modelList.AddColumns(ColumnWidths(m_modelList.ClientWidth()));

    RefreshList();
    EnableControls(true);
    return TRUE;
}

void CPantrelDlg::OnDestroy() {
    ClearList();
    m_hWnd = nullptr;
}

void CPantrelDlg::OnCommand(int command) {
    switch (command) {
        case ID_ADD:
            OnAddSpecification();
            break;
        case ID_UPDATE:
            OnUpdateCurrent();
            break;
        case ID_REMOVE:
            OnRemoveModel();
            break;
        case ID_REFRESH:
            OnRefreshList();
            break;
        case IDOK:
        case IDCANCEL:
            EndModalLoop(command);
            break;
        default:
            break;
    }
}

INT_PTR CPantrelDlg::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_LIST) {
        return FALSE;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (header.code == LVN_ITEMCHANGED) {
        OnItemChanged(change.uNewState);
    } else if (header.code == LVN_COLUMNCLICK) {
        OnColumnClick(change.iSubItem);
    } else {
        return FALSE;
    }
    SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
    return TRUE;
}

void CPantrelDlg::OnSysCommand(WPARAM /*command*/, LPARAM /*position*/) {
    CAboutDlg about(m_module);
    about.DoModal(m_hWnd);
}

bool CPantrelDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        return false;
    }
    win32::PaintMinimisedIcon(m_hWnd, m_windowIcon);
    return true;
}

void CPantrelDlg::OnContextMenu(LPARAM position) {
    if (GetCurrentItem() == -1) {
        return;
    }
    // A request from the keyboard carries (-1, -1).
    const POINT request{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    win32::ShowContextMenu(m_module, IDR_MENU, m_hWnd,
                           win32::ContextMenuPosition(request, window));
}

void CPantrelDlg::OnInitMenuPopup(HMENU menu) {
    const UINT state = GetCurrentItem() != -1 ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu, ID_REMOVE, MF_BYCOMMAND | state);
}

std::string CPantrelDlg::GetItemModel(int row) const {
    return m_modelList.ItemText(row, pantrel::MODEL_COLUMN);
}

std::string CPantrelDlg::GetItemProducer(int row) const {
    return m_modelList.ItemText(row, pantrel::PRODUCER_COLUMN);
}

DeviceKind CPantrelDlg::GetItemKind(int row) const {
    return m_modelList.ItemKind(row);
}

void CPantrelDlg::RefreshList() {
    m_rememberedRow = GetCurrentItem();
    if (m_rememberedRow == -1) {
        m_rememberedRow = 0;
    }
    ClearList();
    FillKind(DeviceKind::CashRegister);
    FillKind(DeviceKind::FiscalPrinter);
    FillKind(DeviceKind::LabelScale);
    const int rows = m_modelList.Count();
    if (rows == 0) {
        return;
    }
    if (m_rememberedRow >= rows) {
        m_rememberedRow = rows - 1;
    }
    SortList();
}

void CPantrelDlg::FillKind(DeviceKind kind) {
    pantrel::RegistryKey key;
    if (!pantrel::OpenModelKey(m_hive, kind, key)) {
        return;
    }
    std::vector<pantrel::ListRow> rows;
    std::string name;
    std::string data;
    for (std::uint32_t index = 0;; ++index) {
        const pantrel::Status status = pantrel::EnumModelEntry(key, index, name, data);
        if (status == pantrel::ERROR_MORE_DATA_STATUS) {
            continue;
        }
        if (status != pantrel::ERROR_SUCCESS_STATUS) {
            break;
        }
        rows.push_back(pantrel::ListRow{kind, pantrel::ModelOfEntry(name),
                                        pantrel::ProducerOfEntry(name), data});
    }
    key.Close();
    m_modelList.Append(rows);
}

void CPantrelDlg::SortList() {
    m_modelList.Sort(m_sortColumn, m_sortDescending);
    SetHeaderImage(m_sortColumn, m_sortDescending ? 1 : 0);
    const int current = GetCurrentItem();
    const int rows = m_modelList.Count();
    if (current != m_rememberedRow) {
        if (current >= 0) {
            m_rememberedRow = current;
        }
        if (m_rememberedRow < rows) {
            m_modelList.MakeCurrent(m_rememberedRow);
        }
    }
    if (m_rememberedRow < rows) {
        m_modelList.EnsureVisible(m_rememberedRow);
    }
}

void CPantrelDlg::OnColumnClick(int column) {
    if (column == m_sortColumn) {
        m_sortDescending = !m_sortDescending;
    } else {
        SetHeaderImage(m_sortColumn, NO_SORT_IMAGE);
        m_sortDescending = false;
    }
    m_sortColumn = column;
    SortList();
}

void CPantrelDlg::SetRowControls(bool enable) {
    EnableWindow(GetDlgItem(m_hWnd, ID_UPDATE), enable ? TRUE : FALSE);
    EnableWindow(GetDlgItem(m_hWnd, ID_REMOVE), enable ? TRUE : FALSE);
}

void CPantrelDlg::EnableControls(bool enable) {
    if (!enable) {
        m_focusBeforeDisable = GetFocus();
    }
    EnableWindow(GetDlgItem(m_hWnd, ID_ADD), enable ? TRUE : FALSE);
    EnableWindow(GetDlgItem(m_hWnd, IDCANCEL), enable ? TRUE : FALSE);
    const bool rowControls = enable && GetCurrentItem() != -1;
    SetRowControls(rowControls);
    if (rowControls && m_focusBeforeDisable != nullptr) {
        // Through the dialog, so that the default-button highlight follows the focus.
        SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_focusBeforeDisable), TRUE);
        m_focusBeforeDisable = nullptr;
    }
}

void CPantrelDlg::OnItemChanged(UINT newState) {
    SetRowControls(newState != 0 || GetCurrentItem() != -1);
}

bool CPantrelDlg::SelectSpecificationFile(std::string& path) {
    std::string chosen;
    if (!win32::ChooseSpecificationFile(m_hWnd, chosen) || chosen.empty()) {
        return false;
    }
    path = std::move(chosen);
    return true;
}

void CPantrelDlg::OnAddSpecification() {
    std::string path;
    if (!SelectSpecificationFile(path)) {
        return;
    }
    const win32::WaitCursor wait;
    EnableControls(false);
    int count = 0;
    BoxMessageSink sink(m_hWnd, m_module);
    pantrel::InstallSpecification(m_hive, path, sink, &count);
    if (count > 0) {
        RefreshList();
    }
    EnableControls(true);
}

void CPantrelDlg::OnRemoveModel() {
    const int row = GetCurrentItem();
    if (row == -1) {
        win32::ShowInformationBox(m_hWnd, m_module,
                                  ResourceText(m_module, IDS_NO_DRIVER_SELECTED));
        return;
    }
    const std::string question =
        FormatWithModel(ResourceText(m_module, IDS_CONFIRM_REMOVE_MODEL), GetItemModel(row));
    if (!win32::AskYesNoBox(m_hWnd, m_module, question)) {
        return;
    }
    const win32::WaitCursor wait;
    EnableControls(false);
    const std::string producer = GetItemProducer(row);
    const std::string model = GetItemModel(row);
    const DeviceKind kind = GetItemKind(row);
    if (pantrel::RemoveModel(m_hive, kind, model, producer)) {
        RefreshList();
    }
    EnableControls(true);
}

void CPantrelDlg::OnRefreshList() {
    const win32::WaitCursor wait;
    RefreshList();
}

void CPantrelDlg::OnUpdateCurrent() {
    if (GetCurrentItem() == -1) {
        win32::ShowInformationBox(m_hWnd, m_module,
                                  ResourceText(m_module, IDS_NO_DRIVER_SELECTED));
        return;
    }
    RefreshList();
    EnableControls(true);
}
