#pragma once

#include <string>
#include <string_view>

#include "registry/wide_text_win32.h"

namespace pantrel::win32 {

// The UTF-16 form of a program text for a wide Win32 call, so that model names and paths keep
// every letter whatever the system's ANSI code page. Every text of the program is UTF-8 (the
// registry's names arrive through the same conversion), so nothing is lost here.
inline std::wstring Widen(std::string_view utf8) {
    std::wstring wide;
    WideFromUtf8(utf8, wide);
    return wide;
}

}  // namespace pantrel::win32
