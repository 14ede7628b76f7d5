#include "ui/win32/win32_user_prompts.h"

#include "ui/win32/file_dialog.h"
#include "ui/win32/message_boxes.h"

namespace pantrel::win32 {

bool Win32UserPrompts::SelectSpecificationFile(std::string& path) {
    return ChooseSpecificationFile(owner_, path);
}

void Win32UserPrompts::ShowInformation(const std::string& text) {
    ShowInformationBox(owner_, module_, text);
}

bool Win32UserPrompts::AskYesNo(const std::string& text) {
    return AskYesNoBox(owner_, module_, text);
}

void Win32UserPrompts::ShowError(const std::string& text) {
    ShowErrorBox(owner_, module_, text);
}

}  // namespace pantrel::win32
