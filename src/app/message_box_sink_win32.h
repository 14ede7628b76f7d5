// The loader's messages as a Windows message box.
#pragma once

#include <string>

#include "base/message_sink.h"

namespace pantrel {

// Shows a message in a modal message box with the stop icon, an OK button and the application
// title "Program serwisowy" as its caption; returns when the user has closed it.
class MessageBoxSink final : public MessageSink {
public:
    void ShowError(const std::string& text) override;
};

}  // namespace pantrel
