// The loader's messages as error boxes over the window.
#pragma once

#include "base/message_sink.h"
#include "ui/user_prompts.h"

namespace pantrel {

// Shows the loader's messages about a specification file as error boxes over the window, and
// remembers that one was shown.
class PromptMessageSink final : public MessageSink {
public:
    explicit PromptMessageSink(UserPrompts& prompts) : prompts_(prompts) {}
    void ShowError(const std::string& text) override;
    bool Shown() const { return shown_; }

private:
    UserPrompts& prompts_;
    bool shown_ = false;
};

}  // namespace pantrel
