#include "ui/win32/about_dlg.h"

#include "base/wide_text_win32.h"
#include "resource.h"

INT_PTR CAboutDlg::DoModal(HWND owner) {
    return DialogBoxParamW(m_module, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, &CAboutDlg::DialogProc,
                           0);
}

void CAboutDlg::DoDataExchange(HWND box) {
    SetDlgItemTextW(box, IDC_VERSION, pantrel::Widen(pantrel::VERSION_TEXT).c_str());
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND box, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            DoDataExchange(box);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                DoDataExchange(box);
                EndDialog(box, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(box, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            // There is no help file: F1 does nothing.
            return TRUE;
        default:
            return FALSE;
    }
}
