#pragma once

#include "spec/message_sink.h"
#include "ui/user_prompts.h"

namespace pantrel {

// Shows the loader's messages about a specification file as error boxes over the window.
class PromptMessageSink final : public MessageSink {
public:
    PromptMessageSink(UserPrompts& prompts, QWidget& owner) : prompts_(prompts), owner_(owner) {}
    void ShowError(const std::string& text) override;

private:
    UserPrompts& prompts_;
    QWidget& owner_;
};

}  // namespace pantrel
