#include "base/windows1250.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/win32_status.h"

namespace pantrel {
namespace {

// Unicode code points of the bytes 0x80 to 0xFF; 0 marks the five bytes Windows-1250 leaves
// unassigned.
constexpr std::array<char16_t, 128> kUpperHalf{
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, 0x0000, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr char32_t kNoCharacter = 0xFFFFFFFF;
// Sort keys of characters beyond Windows-1250 start above every byte value.
constexpr char32_t kBeyondCodePage = 0x100;
constexpr char32_t kInvalidByte = kBeyondCodePage + 0x110000;

// Decodes one UTF-8 character at `i` and moves past it; kNoCharacter (moving one byte) for a
// byte that does not start a valid sequence.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        ++i;
        return kNoCharacter;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return kNoCharacter;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kNoCharacter;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kNoCharacter;
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

// The Windows-1250 byte of a code point, or -1.
int ByteOf(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<int>(cp);
    }
    // The unassigned bytes stand for the control characters of the same number.
    if (cp < 0x100 && kUpperHalf[cp - 0x80] == 0) {
        return static_cast<int>(cp);
    }
    for (std::size_t k = 0; k < kUpperHalf.size(); ++k) {
        if (kUpperHalf[k] != 0 && kUpperHalf[k] == cp) {
            return static_cast<int>(0x80 + k);
        }
    }
    return -1;
}

// The sort unit of the character at `i`, moving past it: its Windows-1250 byte, or a unit above
// every byte for a character beyond the code page or a byte that is no valid UTF-8.
char32_t NextSortUnit(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    const char32_t cp = NextCodePoint(text, i);
    if (cp == kNoCharacter) {
        return kInvalidByte + static_cast<unsigned char>(text[start]);
    }
    const int byte = ByteOf(cp);
    return byte >= 0 ? static_cast<char32_t>(byte) : kBeyondCodePage + cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::optional<std::string> Utf8ToWindows1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const int byte = ByteOf(NextCodePoint(utf8, i));
        if (byte < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::string Windows1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
            continue;
        }
        AppendUtf8(out, Windows1250Character(byte));
    }
    return out;
}

char16_t Windows1250Character(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    const char16_t mapped = kUpperHalf[byte - 0x80];
    return mapped != 0 ? mapped : byte;
}

int Windows1250Byte(char32_t character) {
    return ByteOf(character);
}

std::u32string Windows1250SortKey(std::string_view utf8) {
    std::u32string key;
    key.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        key.push_back(NextSortUnit(utf8, i));
    }
    return key;
}

int CompareWindows1250Order(std::string_view a, std::string_view b) {
    // Names in one list share long beginnings ("Model Żółw 1…"): the equal bytes are passed at
    // once, back to the start of the character they end in, since the first differing byte may
    // lie inside one. A byte that continues no character starts one: it is never decoded into
    // the character before it.
    const auto continues = [](std::string_view text, std::size_t at) {
        return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    std::size_t i = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    while (i > 0 && (continues(a, i) || continues(b, i))) {
        --i;
    }
    std::size_t j = i;
    while (i < a.size() && j < b.size()) {
        const auto byteA = static_cast<unsigned char>(a[i]);
        const auto byteB = static_cast<unsigned char>(b[j]);
        // Model names are mostly ASCII: equal ASCII bytes need no decoding.
        if (byteA == byteB && byteA < 0x80) {
            ++i;
            ++j;
            continue;
        }
        // Everything beyond ASCII sorts after it, so an ASCII byte against another decides alone.
        if (byteA != byteB && (byteA < 0x80 || byteB < 0x80)) {
            return byteA < byteB ? -1 : 1;
        }
        // Equal characters are equal units: the code page is looked up only where they differ.
        const std::size_t startA = i;
        const std::size_t startB = j;
        const char32_t cpA = NextCodePoint(a, i);
        const char32_t cpB = NextCodePoint(b, j);
        if (cpA == cpB && cpA != kNoCharacter) {
            continue;
        }
        i = startA;
        j = startB;
        const char32_t unitA = NextSortUnit(a, i);
        const char32_t unitB = NextSortUnit(b, j);
        if (unitA != unitB) {
            return unitA < unitB ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

std::size_t RegistryTextLength(std::string_view utf8) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        // Names and paths are mostly ASCII: those characters count one each without decoding.
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            ++length;
            ++i;
            continue;
        }
        const char32_t cp = NextCodePoint(utf8, i);
        // Every Windows-1250 character lies in the Basic Multilingual Plane: one UTF-16 unit.
        length += cp != kNoCharacter && cp >= 0x10000 ? 2 : 1;
    }
    return length;
}

bool RegistryTextFits(std::string_view utf8, std::size_t limit) {
    return utf8.size() <= limit || RegistryTextLength(utf8) <= limit;
}

std::size_t RegistryDataSize(std::uint32_t type, std::string_view data) {
    const bool isText =
        type == REG_SZ_TYPE || type == REG_EXPAND_SZ_TYPE || type == REG_MULTI_SZ_TYPE;
    return isText ? RegistryTextLength(data) : data.size();
}

}  // namespace pantrel
