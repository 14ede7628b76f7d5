#include "app/listing_text.h"

#include <ostream>

namespace pantrel {
namespace {

// Hands `text` to `put` in runs: the plain bytes between escapes in one piece each.
template <typename Put>
void Escape(std::string_view text, bool backslashes, Put put) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view escape;
        switch (text[i]) {
            case '\t':
                escape = "\\t";
                break;
            case '\r':
                escape = "\\r";
                break;
            case '\n':
                escape = "\\n";
                break;
            case '\\':
                escape = backslashes ? "\\\\" : "\\";
                break;
            default:
                continue;
        }
        put(text.substr(plain, i - plain));
        put(escape);
        plain = i + 1;
    }
    put(text.substr(plain));
}

std::string Escaped(std::string_view text, bool backslashes) {
    std::string out;
    out.reserve(text.size());
    Escape(text, backslashes, [&out](std::string_view run) { out.append(run); });
    return out;
}

}  // namespace

std::string EscapeListingField(std::string_view text) {
    return Escaped(text, true);
}

void WriteListingField(std::ostream& out, std::string_view text) {
    Escape(text, true, [&out](std::string_view run) {
        out.write(run.data(), static_cast<std::streamsize>(run.size()));
    });
}

std::string OnOneLine(std::string_view text) {
    return Escaped(text, false);
}

}  // namespace pantrel
