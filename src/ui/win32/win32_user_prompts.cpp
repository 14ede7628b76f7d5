#include "ui/win32/win32_user_prompts.h"

#include "base/wide_text_win32.h"
#include "kinds/string_table.h"
#include "ui/win32/file_dialog.h"

namespace pantrel::win32 {

int Win32UserPrompts::ShowBox(const std::string& text, UINT style) const {
    return MessageBoxW(owner_, Widen(text).c_str(),
                       Widen(LoadResourceString(IDS_APP_TITLE)).c_str(), style);
}

bool Win32UserPrompts::SelectSpecificationFile(std::string& path) {
    return ChooseSpecificationFile(owner_, path);
}

void Win32UserPrompts::ShowInformation(const std::string& text) {
    ShowBox(text, MB_OK | MB_ICONINFORMATION);
}

bool Win32UserPrompts::AskYesNo(const std::string& text) {
    return ShowBox(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void Win32UserPrompts::ShowError(const std::string& text) {
    ShowBox(text, MB_OK | MB_ICONERROR);
}

}  // namespace pantrel::win32
