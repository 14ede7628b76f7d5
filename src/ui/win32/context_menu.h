// Where the model list's context menu opens.
#pragma once

#include <windows.h>

namespace pantrel::win32 {

// Where the model menu opens for a request at `request` (screen coordinates): there, when it
// lies inside the window's rectangle; else, as for a request from the keyboard (-1, -1), at the
// window's top-left corner.
POINT ContextMenuPosition(POINT request, const RECT& window);

// Shows the first pop-up of menu `menuId` at `at`; a chosen entry arrives at `owner` as its
// command.
void ShowContextMenu(HINSTANCE module, int menuId, HWND owner, POINT at);

}  // namespace pantrel::win32
