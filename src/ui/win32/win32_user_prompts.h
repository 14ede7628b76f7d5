#pragma once

#include <windows.h>

#include <string>

#include "ui/user_prompts.h"

namespace pantrel::win32 {

// The window's questions and messages as Win32 message boxes and the open-file dialog, modal to
// the main window once it exists.
class Win32UserPrompts final : public UserPrompts {
public:
    explicit Win32UserPrompts(HINSTANCE module) : module_(module) {}

    void SetOwner(HWND owner) { owner_ = owner; }

    bool SelectSpecificationFile(std::string& path) override;
    void ShowInformation(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    HINSTANCE module_;
    HWND owner_ = nullptr;
};

}  // namespace pantrel::win32
