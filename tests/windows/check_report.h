// Text helpers for the resource checks' reports.
#pragma once

#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

namespace pantrel {

inline std::string Utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

inline std::wstring Wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Counts checks and prints each failure on its own line, in UTF-8, so that one run shows every
// resource that is wrong, not only the first.
class CheckReport {
public:
    bool Expect(bool ok, const std::string& what) {
        ++m_checks;
        if (!ok) {
            ++m_failures;
            std::printf("FAIL: %s\n", what.c_str());
        }
        return ok;
    }

    bool ExpectEqual(std::wstring_view actual, std::wstring_view expected,
                     const std::string& what) {
        return Expect(actual == expected,
                      what + ": \"" + Utf8(actual) + "\", expected \"" + Utf8(expected) + "\"");
    }

    template <typename T>
    requires std::is_arithmetic_v<T>
    bool ExpectEqual(T actual, T expected, const std::string& what) {
        return Expect(actual == expected, what + ": " + std::to_string(actual) + ", expected " +
                                              std::to_string(expected));
    }

    // Styles and other bit sets, shown in hexadecimal.
    bool ExpectBits(DWORD actual, DWORD expected, const std::string& what) {
        std::array<char, 48> text{};
        std::snprintf(text.data(), text.size(), ": 0x%08lX, expected 0x%08lX", actual, expected);
        return Expect(actual == expected, what + text.data());
    }

    int Finish() const {
        std::printf("%d checks, %d failed\n", m_checks, m_failures);
        return m_failures == 0 ? 0 : 1;
    }

private:
    int m_checks = 0;
    int m_failures = 0;
};

}  // namespace pantrel
