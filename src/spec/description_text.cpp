#include "spec/description_text.h"

#include <charconv>

namespace pantrel {
namespace {

constexpr std::size_t kLongestValue = 80;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string Quoted(std::string_view value) {
    std::string text = "'";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (!IsContinuationByte(c) && ++characters > kLongestValue) {
            text += "…";
            break;
        }
        if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (c == '\t') {
            text += "\\t";
        } else {
            text += c;
        }
    }
    text += "'";
    return text;
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
