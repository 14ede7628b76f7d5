#include "ui/win32/main_window_runner.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/win32/pantrel_dlg.h"

namespace pantrel {

int RunMainWindow(RegistryStore& hive) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    CPantrelDlg window(hive, GetModuleHandleW(nullptr));
    window.DoModal();
    return 0;
}

}  // namespace pantrel
