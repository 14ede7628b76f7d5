// The About box on Win32.
#pragma once

#include <windows.h>

#include <string_view>

namespace pantrel {
// The version the About box shows.
inline constexpr std::string_view VERSION_TEXT = "1.0.5";
}  // namespace pantrel

// The About box (dialog template 100): the tool's icon, name, version and owner. Closed with
// OK, Enter, Esc or its close box; nothing is read from it.
class CAboutDlg final {
public:
    explicit CAboutDlg(HINSTANCE module) : m_module(module) {}

    // Runs the box modally over `owner`, which stays disabled until it closes.
    INT_PTR DoModal(HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    // Writes the version into its field, so the template's placeholder is never seen.
    static void DoDataExchange(HWND box);

    HINSTANCE m_module;
};
