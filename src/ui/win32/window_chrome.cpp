#include "ui/win32/window_chrome.h"

#include <string>

#include "base/wide_text_win32.h"

namespace pantrel::win32 {
namespace {

// Ends painting on every path out.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), context_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Context() const { return context_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC context_;
};

}  // namespace

int CentredIconOffset(int clientExtent, int iconExtent) {
    return (clientExtent - iconExtent + 1) / 2;
}

void AddAboutEntry(HWND window, std::string_view text, unsigned commandId) {
    const HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu == nullptr || text.empty()) {
        return;
    }
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, commandId, Widen(text).c_str());
}

void SetWindowIcons(HWND window, HICON icon) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void PaintMinimisedIcon(HWND window, HICON icon) {
    const PaintScope paint(window);
    SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Context()), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(window, &client);
    DrawIcon(paint.Context(), CentredIconOffset(client.right - client.left, iconWidth),
             CentredIconOffset(client.bottom - client.top, iconHeight), icon);
}

}  // namespace pantrel::win32
