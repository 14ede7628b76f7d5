#include "ui/prompt_message_sink.h"

namespace pantrel {

void PromptMessageSink::ShowError(const std::string& text) {
    prompts_.ShowError(text);
}

}  // namespace pantrel
