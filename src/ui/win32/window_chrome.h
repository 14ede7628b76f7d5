// The main window's icon placement and system menu entry.
#pragma once

#include <windows.h>

#include <string_view>

namespace pantrel::win32 {

// Where an icon `iconExtent` wide (or high) is drawn centred in a client area `clientExtent`
// wide: (client - icon + 1) / 2, truncated toward zero, so a too-narrow area gives 0, not -1.
int CentredIconOffset(int clientExtent, int iconExtent);

// Appends a separator and the About entry (`text`, command `commandId`) to the window's own
// system menu; nothing when there is no system menu or the text is missing.
void AddAboutEntry(HWND window, std::string_view text, unsigned commandId);

// The icon as the window's big and small icon.
void SetWindowIcons(HWND window, HICON icon);

// Paints the icon centred in the minimised window.
void PaintMinimisedIcon(HWND window, HICON icon);

}  // namespace pantrel::win32
