#include "app/message_box_sink_win32.h"

#include <windows.h>

#include "base/wide_text_win32.h"
#include "kinds/string_table.h"

namespace pantrel {

void MessageBoxSink::ShowError(const std::string& text) {
    std::wstring message;
    std::wstring caption;
    WideFromUtf8(text, message);
    WideFromUtf8(LoadResourceString(IDS_APP_TITLE), caption);
    MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK);
}

}  // namespace pantrel
