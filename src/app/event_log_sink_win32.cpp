#include "app/event_log_sink_win32.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "base/wide_text_win32.h"

namespace pantrel {
namespace {

// The one event the program reports: a specification file it could not load.
constexpr DWORD FILE_NOT_LOADED_EVENT = 1;

struct EventSourceClose {
    void operator()(HANDLE source) const { DeregisterEventSource(source); }
};
using EventSource = std::unique_ptr<std::remove_pointer_t<HANDLE>, EventSourceClose>;

}  // namespace

void EventLogSink::ShowError(const std::string& text) {
    std::wstring message;
    WideFromUtf8(text, message);
    const EventSource source{RegisterEventSourceW(nullptr, EVENT_SOURCE)};
    if (!source) {
        return;  // standard error has the message already
    }
    const wchar_t* strings[] = {message.c_str()};
    ReportEventW(source.get(), EVENTLOG_ERROR_TYPE, 0, FILE_NOT_LOADED_EVENT, nullptr, 1, 0,
                 strings, nullptr);
}

}  // namespace pantrel
