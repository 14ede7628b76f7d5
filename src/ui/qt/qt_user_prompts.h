// The window's prompts as Qt dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/user_prompts.h"

namespace pantrel::qt {

// The prompts as Qt's file dialog and message boxes, modal to the owner window, captioned with
// the application title, with Polish button texts and formats whatever the desktop's language,
// and every text shown literally.
class QtUserPrompts final : public UserPrompts {
public:
    explicit QtUserPrompts(QWidget* owner = nullptr) : owner_(owner) {}
    // The window the prompts are modal to; none before it exists.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    bool SelectSpecificationFile(std::string& path) override;
    void ShowInformation(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace pantrel::qt
