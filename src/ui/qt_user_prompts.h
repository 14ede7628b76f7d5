#pragma once

#include "ui/user_prompts.h"

namespace pantrel {

// The prompts as Qt's file dialog and message boxes, captioned with the application title and
// with Polish button texts whatever the desktop's language.
class QtUserPrompts final : public UserPrompts {
public:
    bool SelectSpecificationFile(QWidget& owner, std::string& path) override;
    void ShowInformation(QWidget& owner, const std::string& text) override;
    bool AskYesNo(QWidget& owner, const std::string& text) override;
    void ShowError(QWidget& owner, const std::string& text) override;
};

}  // namespace pantrel
