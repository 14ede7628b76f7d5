#include "ui/win32/string_resource.h"

namespace pantrel::win32 {

std::wstring LoadWideString(HINSTANCE module, unsigned id) {
    // With no buffer the call answers a pointer into the loaded resource and its length; the
    // string there is not terminated.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return std::wstring(text, static_cast<std::size_t>(length));
}

}  // namespace pantrel::win32
