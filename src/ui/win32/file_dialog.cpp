#include "ui/win32/file_dialog.h"

#include <commdlg.h>

#include <string_view>

#include "base/wide_text_win32.h"

namespace pantrel::win32 {
namespace {

// Room for the longest path the system accepts, so that no deep folder is refused.
constexpr std::size_t PATH_CAPACITY = 32768;

}  // namespace

bool ChooseSpecificationFile(HWND owner, std::string& path) {
    const std::wstring title = Widen("Wybierz specyfikację sterownika do zainstalowania");
    // One entry: its description, its pattern, then the closing empty pair.
    std::wstring filter = Widen("Specyfikacja sterownika (*.xml)");
    filter.append(1, L'\0').append(L"*.xml").append(2, L'\0');
    std::wstring file(PATH_CAPACITY, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"xml";
    dialog.Flags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) {
        return false;
    }
    path = pantrel::Utf8FromWide(std::wstring_view(file.c_str()));
    return true;
}

}  // namespace pantrel::win32
