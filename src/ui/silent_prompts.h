#pragma once

#include <string>

#include "ui/user_prompts.h"

namespace pantrel {

// Prompts that nobody answers: no file chosen, every question answered No, messages dropped.
// For a window rendered or measured offscreen, where no one is there to click.
class SilentPrompts final : public UserPrompts {
public:
    bool SelectSpecificationFile(QWidget& /*owner*/, std::string& /*path*/) override {
        return false;
    }
    void ShowInformation(QWidget& /*owner*/, const std::string& /*text*/) override {}
    bool AskYesNo(QWidget& /*owner*/, const std::string& /*text*/) override { return false; }
    void ShowError(QWidget& /*owner*/, const std::string& /*text*/) override {}
};

}  // namespace pantrel
