// Texts of an exact length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pantrel::testing_support {

// `text` written `times` times in a row: names and paths of an exact length.
inline std::string Repeat(std::string_view text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

}  // namespace pantrel::testing_support
