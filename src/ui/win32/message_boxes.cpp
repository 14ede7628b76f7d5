#include "ui/win32/message_boxes.h"

#include "kinds/string_table.h"
#include "resource.h"
#include "ui/win32/string_resource.h"
#include "ui/win32/wide_text.h"

namespace pantrel::win32 {
namespace {

int ShowBox(HWND owner, HINSTANCE module, const std::string& text, UINT style) {
    std::wstring caption = LoadWideString(module, IDS_APPLICATION_TITLE);
    if (caption.empty()) {
        caption = Widen(LoadResourceString(IDS_APP_TITLE));
    }
    return MessageBoxW(owner, Widen(text).c_str(), caption.c_str(), style);
}

}  // namespace

void ShowInformationBox(HWND owner, HINSTANCE module, const std::string& text) {
    ShowBox(owner, module, text, MB_OK | MB_ICONINFORMATION);
}

void ShowErrorBox(HWND owner, HINSTANCE module, const std::string& text) {
    ShowBox(owner, module, text, MB_OK | MB_ICONERROR);
}

bool AskYesNoBox(HWND owner, HINSTANCE module, const std::string& text) {
    return ShowBox(owner, module, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace pantrel::win32
