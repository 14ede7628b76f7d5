#include "ui/win32/pantrel_dlg.h"

#include <commctrl.h>

#include <utility>

#include "kinds/string_table.h"
#include "resource.h"
#include "ui/column_widths.h"
#include "ui/win32/about_dlg.h"
#include "ui/win32/context_menu.h"
#include "ui/win32/window_chrome.h"

namespace win32 = pantrel::win32;

namespace {

// The keyboard messages, WM_KEYDOWN to WM_SYSDEADCHAR, that the accelerators see first.
constexpr UINT FIRST_KEY_MESSAGE = 0x100;
constexpr UINT LAST_KEY_MESSAGE = 0x108;

BOOL AsBool(bool value) {
    return value ? TRUE : FALSE;
}

}  // namespace

CPantrelDlg::CPantrelDlg(pantrel::StoreAccess store, HINSTANCE module)
    : m_module(module),
      m_windowIcon(LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_accelerators(LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_ACCELERATOR))),
      m_commands(*this, m_prompts, std::move(store)) {}

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
    if (m_hWnd == nullptr) {
        return false;
    }
    // Delete, F5 and Ctrl+R wherever the focus is in the window, the buttons included.
    const bool inWindow = message.hwnd == m_hWnd || IsChild(m_hWnd, message.hwnd);
    if (message.message >= FIRST_KEY_MESSAGE && message.message <= LAST_KEY_MESSAGE && inWindow &&
        m_accelerators != nullptr && TranslateAcceleratorW(m_hWnd, m_accelerators, &message)) {
        return true;
    }
    return IsDialogMessageW(m_hWnd, &message) != FALSE;
}

INT_PTR CALLBACK CPantrelDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
                OnAbout();
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
    win32::AddAboutEntry(m_hWnd, pantrel::LoadResourceString(pantrel::IDS_ABOUT_ENTRY),
                         ABOUT_COMMAND_ID);
    win32::SetWindowIcons(m_hWnd, m_windowIcon);

    m_prompts.SetOwner(m_hWnd);
    m_modelList.Attach(GetDlgItem(m_hWnd, IDC_LIST));
    m_kindImages = win32::LoadImageStrip(m_module, IDB_KIND_IMAGES);
    m_sortImages = win32::LoadImageStrip(m_module, IDB_SORT_IMAGES);
    m_modelList.Prepare(m_kindImages.Get(), m_sortImages.Get());
    m_modelList.AddColumns(pantrel::ModelListColumnWidths(m_modelList.ClientWidth()));

    m_commands.InitList();
    return TRUE;
}

void CPantrelDlg::OnDestroy() {
    // The rows and their kind blocks go while the list control still exists.
    ClearList();
    m_hWnd = nullptr;
    m_modalEnded = true;
}

void CPantrelDlg::OnCommand(int command) {
    switch (command) {
        case ID_ADD:
            m_commands.OnAddSpecification();
            break;
        case ID_UPDATE:
            m_commands.OnUpdateCurrent();
            break;
        case ID_REMOVE:
            m_commands.OnRemoveModel();
            break;
        case ID_REFRESH:
            m_commands.OnRefreshList();
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
    if (header.code == LVN_GETDISPINFOW) {
        // The notification's block is the control's, handed over for the answer.
        win32::AnswerDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)),
                                 m_rows);
    } else if (header.code == LVN_ITEMCHANGED) {
        // A sort carries the current row's state to its new place; in between, no row is
        // current, and disabling "Usuń" then would take the focus from it.
        if (!m_movingRows) {
            m_commands.OnItemChanged(change.uNewState != 0);
        }
    } else if (header.code == LVN_COLUMNCLICK) {
        m_commands.OnColumnClick(change.iSubItem);
    } else if (header.code == LVN_ODFINDITEMW) {
        // A typed letter finds no row, as no row has a text in the first column; an answer of 0
        // would make the first row current.
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, -1);
        return TRUE;
    } else {
        return FALSE;
    }
    SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
    return TRUE;
}

void CPantrelDlg::OnAbout() {
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
    win32::ShowContextMenu(m_module, IDR_MENU, m_hWnd, win32::ContextMenuPosition(request, window));
}

void CPantrelDlg::OnInitMenuPopup(HMENU menu) {
    const UINT state = GetCurrentItem() != -1 ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu, ID_REMOVE, MF_BYCOMMAND | state);
}

void CPantrelDlg::ClearList() {
    // The control forgets the rows before the texts it would ask for go.
    m_modelList.Clear();
    m_rows.Clear();
}

void CPantrelDlg::AppendRows(std::vector<pantrel::ListRow> rows) {
    // The rows first: the control asks for their texts as soon as it knows of them.
    m_rows.Append(std::move(rows));
    m_modelList.SetCount(m_rows.Count());
}

void CPantrelDlg::SetRowOrder(std::vector<int> order) {
    const std::vector<int> moved = m_rows.SetOrder(std::move(order));
    if (!moved.empty()) {
        m_movingRows = true;
        m_modelList.MoveRows(moved);
        m_movingRows = false;
    }
}

void CPantrelDlg::SetHeaderImage(int column, int image) {
    m_modelList.SetHeaderImage(column, image);
}

void CPantrelDlg::EnableGeneralCommands(bool enable) {
    EnableWindow(GetDlgItem(m_hWnd, ID_ADD), AsBool(enable));
    EnableWindow(GetDlgItem(m_hWnd, IDCANCEL), AsBool(enable));
}

void CPantrelDlg::EnableRowCommands(bool enable) {
    EnableWindow(GetDlgItem(m_hWnd, ID_UPDATE), AsBool(enable));
    EnableWindow(GetDlgItem(m_hWnd, ID_REMOVE), AsBool(enable));
}

void CPantrelDlg::RememberFocus() {
    const HWND focus = GetFocus();
    m_focusBeforeDisable = (focus != nullptr && IsChild(m_hWnd, focus)) ? focus : nullptr;
}

void CPantrelDlg::RestoreFocus() {
    if (m_focusBeforeDisable != nullptr && IsWindow(m_focusBeforeDisable)) {
        // Through the dialog, so that the default-button highlight follows the focus.
        SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_focusBeforeDisable), TRUE);
    }
    m_focusBeforeDisable = nullptr;
}

void CPantrelDlg::BeginWaitCursor() {
    if (m_waitDepth++ == 0) {
        m_cursorBeforeWait = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void CPantrelDlg::EndWaitCursor() {
    if (m_waitDepth > 0 && --m_waitDepth == 0) {
        SetCursor(m_cursorBeforeWait);
    }
}

void CPantrelDlg::ShowStateNow() {
    // Paints only: a key or click that arrived meanwhile waits for the work's end.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
