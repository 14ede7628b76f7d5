#include "base/wide_text_win32.h"

#include <windows.h>

#include <limits>

namespace pantrel {

Status WideFromUtf8(std::string_view text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) {
        return ERROR_SUCCESS_STATUS;
    }
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return ERROR_INVALID_PARAMETER_STATUS;
    }
    const int length = static_cast<int>(text.size());
    const int units =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (units <= 0) {
        return static_cast<Status>(GetLastError());
    }
    wide.resize(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), units);
    return ERROR_SUCCESS_STATUS;
}

std::string Utf8FromWide(std::wstring_view wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), bytes, nullptr, nullptr);
    return text;
}

}  // namespace pantrel
