// UTF-8 <-> UTF-16 for every wide Win32 call.
#pragma once

#include <string>
#include <string_view>

#include "base/win32_status.h"

namespace pantrel {

// UTF-8 ↔ UTF-16 at the wide Win32 calls, so that no text passes through the system's ANSI
// code page and a Polish letter is never lost on a system set to another language.

// 0 with `wide` filled in; 1113 (ERROR_NO_UNICODE_TRANSLATION) when `text` is not UTF-8.
Status WideFromUtf8(std::string_view text, std::wstring& wide);

// Unpaired surrogates, which no Windows text needs, become U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

// The UTF-16 form of a program text for a wide Win32 call. Every text of the program is UTF-8
// (the registry's names arrive through the same conversion), so nothing is lost here.
inline std::wstring Widen(std::string_view utf8) {
    std::wstring wide;
    WideFromUtf8(utf8, wide);
    return wide;
}

}  // namespace pantrel
