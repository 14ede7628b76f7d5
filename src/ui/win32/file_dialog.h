// The Win32 dialog that picks a driver file.
#pragma once

#include <windows.h>

#include <string>

namespace pantrel::win32 {

// The open-file dialog for a driver specification, modal to `owner`. True with the full path
// (UTF-8) of the chosen file; false, with `path` unchanged, when the user cancels.
bool ChooseSpecificationFile(HWND owner, std::string& path);

}  // namespace pantrel::win32
