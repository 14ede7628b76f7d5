// The interface through which every layer shows the user an error message.
#pragma once

#include <string>

namespace pantrel {

// Where the tool shows what the user must see: a modal message box in the window, standard
// error on the command line, a recorder in tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    MessageSink() = default;
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    // An error message (UTF-8); returns when the user has seen it.
    virtual void ShowError(const std::string& text) = 0;
};

}  // namespace pantrel
