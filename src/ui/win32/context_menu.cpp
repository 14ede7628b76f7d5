#include "ui/win32/context_menu.h"

namespace pantrel::win32 {
namespace {

// Destroys a loaded menu when the pop-up has closed.
struct MenuHolder {
    HMENU handle;
    ~MenuHolder() {
        if (handle != nullptr) {
            DestroyMenu(handle);
        }
    }
};

}  // namespace

POINT ContextMenuPosition(POINT request, const RECT& window) {
    if (PtInRect(&window, request)) {
        return request;
    }
    return POINT{window.left, window.top};
}

void ShowContextMenu(HINSTANCE module, int menuId, HWND owner, POINT at) {
    const MenuHolder menu{LoadMenuW(module, MAKEINTRESOURCEW(menuId))};
    if (menu.handle == nullptr) {
        return;
    }
    const HMENU popup = GetSubMenu(menu.handle, 0);
    if (popup != nullptr) {
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    }
}

}  // namespace pantrel::win32
