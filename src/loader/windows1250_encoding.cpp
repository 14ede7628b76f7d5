#include "loader/windows1250_encoding.h"

#include <cstddef>

#include "base/windows1250.h"

namespace pantrel {
namespace {

constexpr const char* kName = "windows-1250";
constexpr const char* kAliases[] = {"cp1250", "x-cp1250"};

std::size_t Utf8Length(char16_t character) {
    return character < 0x80 ? 1 : character < 0x800 ? 2 : 3;
}

// Length of the UTF-8 sequence a lead byte opens; 0 for a byte that opens none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The character of a complete sequence, or -1 when it is not well-formed UTF-8.
long DecodeSequence(const unsigned char* in, std::size_t length) {
    if (length == 1) {
        return in[0];
    }
    long character = in[0] & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((in[i] & 0xC0) != 0x80) {
            return -1;
        }
        character = (character << 6) | (in[i] & 0x3F);
    }
    constexpr long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kSmallest[length] || character > 0x10FFFF ||
        (character >= 0xD800 && character <= 0xDFFF)) {
        return -1;
    }
    return character;
}

// libxml2's convention for conversion callbacks around `convert`, which moves `in` and `out`
// through the buffers and answers 0, or -2 at input it cannot convert.
template <typename Convert>
int RunConversion(unsigned char* out, int* outLength, const unsigned char* in, int* inLength,
                  Convert convert) {
    if (out == nullptr || outLength == nullptr || inLength == nullptr) {
        return -1;
    }
    if (in == nullptr) {
        *outLength = 0;
        *inLength = 0;
        return 0;
    }
    unsigned char* written = out;
    const unsigned char* read = in;
    const int result = convert(written, out + *outLength, read, in + *inLength);
    *outLength = static_cast<int>(written - out);
    *inLength = static_cast<int>(read - in);
    return result < 0 ? result : *outLength;
}

}  // namespace

int Windows1250ToUtf8Chunk(unsigned char* out, int* outLength, const unsigned char* in,
                           int* inLength) {
    return RunConversion(
        out, outLength, in, inLength,
        [](unsigned char*& out, unsigned char* outEnd, const unsigned char*& in,
           const unsigned char* inEnd) {
            for (; in < inEnd; ++in) {
                const char16_t character = Windows1250Character(*in);
                const std::size_t length = Utf8Length(character);
                if (static_cast<std::size_t>(outEnd - out) < length) {
                    break;  // the rest comes with the next call
                }
                if (length == 1) {
                    *out++ = static_cast<unsigned char>(character);
                } else if (length == 2) {
                    *out++ = static_cast<unsigned char>(0xC0 | (character >> 6));
                    *out++ = static_cast<unsigned char>(0x80 | (character & 0x3F));
                } else {
                    *out++ = static_cast<unsigned char>(0xE0 | (character >> 12));
                    *out++ = static_cast<unsigned char>(0x80 | ((character >> 6) & 0x3F));
                    *out++ = static_cast<unsigned char>(0x80 | (character & 0x3F));
                }
            }
            return 0;
        });
}

int Utf8ToWindows1250Chunk(unsigned char* out, int* outLength, const unsigned char* in,
                           int* inLength) {
    return RunConversion(
        out, outLength, in, inLength,
        [](unsigned char*& out, unsigned char* outEnd, const unsigned char*& in,
           const unsigned char* inEnd) {
            while (in < inEnd && out < outEnd) {
                const std::size_t length = SequenceLength(*in);
                if (length != 0 && static_cast<std::size_t>(inEnd - in) < length) {
                    return 0;  // a character cut at the end of the chunk: its rest comes next
                }
                const long character = length == 0 ? -1 : DecodeSequence(in, length);
                const int byte =
                    character < 0 ? -1 : Windows1250Byte(static_cast<char32_t>(character));
                if (byte < 0) {
                    return -2;  // libxml2 writes a character reference for it, or gives up
                }
                *out++ = static_cast<unsigned char>(byte);
                in += length;
            }
            return 0;
        });
}

void RegisterWindows1250Encoding() {
    // libxml2 looks its own handlers up before iconv's, so this one wins wherever both exist.
    if (xmlNewCharEncodingHandler(kName, Windows1250ToUtf8Chunk, Utf8ToWindows1250Chunk) ==
        nullptr) {
        return;  // out of memory at start-up: iconv, where present, still decodes the code page
    }
    for (const char* const alias : kAliases) {
        xmlAddEncodingAlias(kName, alias);
    }
}

}  // namespace pantrel
