// The loader's messages as error boxes over the window.
#pragma once

#include "base/message_sink.h"
#include "ui/user_prompts.h"

namespace pantrel {

class PromptMessageSink final : public MessageSink {
public:
    explicit PromptMessageSink(UserPrompts& prompts) : prompts_(prompts) {}
    void ShowError(const std::string& text) override;

private:
    UserPrompts& prompts_;
};

}  // namespace pantrel
