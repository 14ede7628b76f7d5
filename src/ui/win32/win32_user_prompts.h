// The window's prompts as Win32 message boxes and dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "ui/user_prompts.h"

namespace pantrel::win32 {

// The window's questions and messages as Win32 message boxes captioned "Program serwisowy", and
// the open-file dialog, modal to the main window once it exists. Texts are shown literally.
class Win32UserPrompts final : public UserPrompts {
public:
    void SetOwner(HWND owner) { owner_ = owner; }

    bool SelectSpecificationFile(std::string& path) override;
    void ShowInformation(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    int ShowBox(const std::string& text, UINT style) const;

    HWND owner_ = nullptr;
};

}  // namespace pantrel::win32
