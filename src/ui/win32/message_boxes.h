#pragma once

#include <windows.h>

#include <string>

namespace pantrel::win32 {

// Modal message boxes over `owner`, captioned with the application title (string 57344 of the
// module). Texts are UTF-8 and shown literally.
void ShowInformationBox(HWND owner, HINSTANCE module, const std::string& text);
void ShowErrorBox(HWND owner, HINSTANCE module, const std::string& text);
// Yes and No, No being the default; true only for Yes.
bool AskYesNoBox(HWND owner, HINSTANCE module, const std::string& text);

}  // namespace pantrel::win32
