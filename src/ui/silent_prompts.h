// Prompts that nobody answers, for a window without a user.
#pragma once

#include <string>

#include "ui/user_prompts.h"

namespace pantrel {

// Prompts that nobody answers: no file chosen, every question answered No, messages dropped.
// For a window rendered or measured offscreen, where no one is there to click.
class SilentPrompts final : public UserPrompts {
public:
    bool SelectSpecificationFile(std::string& /*path*/) override { return false; }
    void ShowInformation(const std::string& /*text*/) override {}
    bool AskYesNo(const std::string& /*text*/) override { return false; }
    void ShowError(const std::string& /*text*/) override {}
};

}  // namespace pantrel
