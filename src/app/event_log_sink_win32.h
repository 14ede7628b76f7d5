// The loader's messages as error records of the Windows Application event log.
#pragma once

#include <string>

#include "base/message_sink.h"

namespace pantrel {

// The source under which the messages stand in the Windows Application event log.
inline constexpr const wchar_t* EVENT_SOURCE = L"Pantrel";

// Writes a message as an error record of the Application event log, where a fleet
// administrator finds what an installer run without a desktop could not show.
class EventLogSink final : public MessageSink {
public:
    void ShowError(const std::string& text) override;
};

}  // namespace pantrel
