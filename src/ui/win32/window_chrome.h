#pragma once

#include <windows.h>

namespace pantrel::win32 {

// Where an icon `iconExtent` wide (or high) is drawn centred in a client area `clientExtent`
// wide: (client - icon + 1) / 2, truncated toward zero, so a too-narrow area gives 0, not -1.
int CentredIconOffset(int clientExtent, int iconExtent);

// Appends a separator and the About entry (string `textId`, command `commandId`) to the
// window's own system menu; nothing when there is no system menu or no such string.
void AddAboutEntry(HWND window, HINSTANCE module, unsigned textId, unsigned commandId);

// The icon as the window's big and small icon.
void SetWindowIcons(HWND window, HICON icon);

// Paints the icon centred in the minimised window.
void PaintMinimisedIcon(HWND window, HICON icon);

}  // namespace pantrel::win32
