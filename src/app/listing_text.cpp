#include "app/listing_text.h"

namespace pantrel {
namespace {

std::string Escape(std::string_view text, bool backslashes) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\t':
                out.append("\\t");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\\':
                out.append(backslashes ? "\\\\" : "\\");
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

}  // namespace

std::string EscapeListingField(std::string_view text) {
    return Escape(text, true);
}

std::string OnOneLine(std::string_view text) {
    return Escape(text, false);
}

}  // namespace pantrel
