#include "ui/prompt_message_sink.h"

namespace pantrel {

void PromptMessageSink::ShowError(const std::string& text) {
    shown_ = true;
    prompts_.ShowError(text);
}

}  // namespace pantrel
