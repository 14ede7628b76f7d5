#include "loader/messages/description_text.h"

#include <algorithm>
#include <charconv>

namespace pantrel {
namespace {

constexpr std::size_t kLongestValue = 80;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char first = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first < 0x80) {
        return 1;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        low = first == 0xE0 ? 0xA0 : 0x80;
        high = first == 0xED ? 0x9F : 0xBF;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, at);
        const auto first = static_cast<unsigned char>(text[at]);
        if (first == '\n') {
            line += "\\n";
        } else if (first == '\r') {
            line += "\\r";
        } else if (first == '\t') {
            line += "\\t";
        } else if (length == 0 || first < 0x20 || first == 0x7F) {
            line += kReplacement;
        } else {
            line.append(text, at, length);
            at += length;
            continue;
        }
        ++at;
    }
    return line;
}

std::string Quoted(std::string_view value) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < value.size() && characters < kLongestValue;
         ++characters) {
        end += std::max<std::size_t>(Utf8SequenceLength(value, end), 1);
    }
    std::string text = "'";
    text.append(OneLine(value.substr(0, end)));
    if (end < value.size()) {
        text += "…";
    }
    return text + "'";
}

std::string_view Field(const char* text) {
    return text != nullptr ? std::string_view{text} : std::string_view{};
}

std::string CharacterCount(std::string_view number) {
    unsigned long count = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), count);
    const char* noun = "znaków";
    if (error == std::errc{} && end == number.data() + number.size()) {
        const unsigned long lastTwo = count % 100;
        const unsigned long last = count % 10;
        if (count == 1) {
            noun = "znak";
        } else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) {
            noun = "znaki";
        }
    }
    std::string text(number);
    text.append(" ").append(noun);
    return text;
}

std::string Details(const char* str1, const char* str2, const char* str3, int int1) {
    std::string text;
    for (const char* field : {str1, str2, str3}) {
        if (field != nullptr && *field != '\0') {
            text.append(text.empty() ? ", szczegóły: " : ", ").append(Quoted(field));
        }
    }
    if (int1 != 0) {
        text.append(text.empty() ? ", szczegóły: " : ", ").append(std::to_string(int1));
    }
    return text;
}

}  // namespace pantrel
