#include "registry/sqlite_names.h"

#include <array>
#include <cstdint>

#include "base/windows1250.h"

namespace pantrel {

namespace {

// Decodes one well-formed UTF-8 character at `pos`; its length, or 0 when the bytes there do
// not form one.
std::size_t DecodeCharacter(std::string_view text, std::size_t pos, char32_t& character) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[pos + i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    character = value;
    return length;
}

// The small letter of a character beyond ASCII.
constexpr char32_t FoldCharacter(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // À…Þ without ×
        return c + 0x20;
    }
    if (c == 0x178) {  // Ÿ
        return 0xFF;
    }
    // Latin Extended-A pairs capitals and small letters side by side; İ/ı, ĸ, ŉ and ſ have no
    // partner within the block and stay.
    const bool evenCapitals =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenCapitals && c % 2 == 0) || (oddCapitals && c % 2 == 1)) {
        return c + 1;
    }
    return c;
}

// The letters that fold beyond ASCII are all two bytes long in UTF-8 (U+0080…U+017F, lead bytes
// C2…C5): their small letters, looked up instead of decided range by range for each of them.
constexpr char32_t FIRST_TWO_BYTE = 0x80;
constexpr char32_t LAST_FOLDING = 0x17F;
constexpr auto TWO_BYTE_FOLDS = [] {
    std::array<char16_t, LAST_FOLDING - FIRST_TWO_BYTE + 1> folds{};
    for (char32_t c = FIRST_TWO_BYTE; c <= LAST_FOLDING; ++c) {
        folds.at(c - FIRST_TWO_BYTE) = static_cast<char16_t>(FoldCharacter(c));
    }
    return folds;
}();

// Folding keeps every character at its length in bytes (capitals and small letters of
// Windows-1250 are both one or both two bytes long), so a name is folded in place.
void FoldInPlace(char* const bytes, std::size_t size) {
    const std::string_view text{bytes, size};
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Most names are ASCII: those letters fold without decoding.
        if (const auto ascii = static_cast<std::uint8_t>(bytes[pos]); ascii < 0x80) {
            if (ascii >= 'A' && ascii <= 'Z') {
                bytes[pos] = static_cast<char>(ascii + 0x20);
            }
            ++pos;
            continue;
        }
        // A lead byte C2…DF with a continuation byte is always a well-formed character.
        if (const auto lead = static_cast<std::uint8_t>(bytes[pos]);
            lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size() &&
            (static_cast<std::uint8_t>(bytes[pos + 1]) & 0xC0) == 0x80) {
            const char32_t c =
                ((lead & 0x1FU) << 6) | (static_cast<std::uint8_t>(bytes[pos + 1]) & 0x3FU);
            if (c <= LAST_FOLDING) {
                const char32_t small = TWO_BYTE_FOLDS[c - FIRST_TWO_BYTE];
                bytes[pos] = static_cast<char>(0xC0 | (small >> 6));
                bytes[pos + 1] = static_cast<char>(0x80 | (small & 0x3F));
            }
            pos += 2;
            continue;
        }
        // Malformed bytes and longer characters stay as they are.
        char32_t longer = 0;
        const std::size_t length = DecodeCharacter(text, pos, longer);
        pos += length == 0 ? 1 : length;
    }
}

}  // namespace

void FoldNameInto(std::string_view name, std::string& folded) {
    folded.assign(name);
    FoldInPlace(folded.data(), folded.size());
}

std::string FoldName(std::string_view name) {
    std::string folded{name};
    FoldInPlace(folded.data(), folded.size());
    return folded;
}

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::vector<std::string_view> components;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        const std::string_view component = path.substr(start, end - start);
        if (component.empty() || !RegistryTextFits(component, MAX_KEY_NAME_CHARACTERS)) {
            return std::nullopt;
        }
        components.push_back(component);
        if (end == std::string_view::npos) {
            return components;
        }
        start = end + 1;
    }
}

bool IsStorableValue(std::string_view name, std::size_t dataSize) {
    return name.find('\0') == std::string_view::npos &&
           RegistryTextFits(name, MAX_VALUE_NAME_CHARACTERS) && dataSize <= MAX_VALUE_DATA_BYTES;
}

}  // namespace pantrel
