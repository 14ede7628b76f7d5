#include "ui/win32/main_window_runner.h"

#include <windows.h>
// After windows.h, whose types it builds on.
#include <commctrl.h>

#include <utility>

#include "ui/win32/pantrel_dlg.h"

namespace pantrel {

int RunMainWindow(StoreAccess store) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    CPantrelDlg window(std::move(store), GetModuleHandleW(nullptr));
    window.DoModal();
    return 0;
}

}  // namespace pantrel
