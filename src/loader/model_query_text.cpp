#include "loader/model_query_text.h"

namespace pantrel {
namespace {

std::string Quoted(std::string_view text, char quote) {
    std::string literal;
    literal.reserve(text.size() + 2);
    literal.push_back(quote);
    literal.append(text);
    literal.push_back(quote);
    return literal;
}

}  // namespace

std::string XPathStringLiteral(std::string_view text) {
    if (text.find('"') == std::string_view::npos) {
        return Quoted(text, '"');
    }
    if (text.find('\'') == std::string_view::npos) {
        return Quoted(text, '\'');
    }
    // Both kinds: double-quoted pieces between the double quotes, which go in single quotes.
    // A text with both kinds always gives at least two pieces, as concat() needs.
    std::string literal = "concat(";
    bool first = true;
    const auto append = [&](const std::string& piece) {
        if (!first) {
            literal.append(", ");
        }
        literal.append(piece);
        first = false;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t quote = text.find('"', start);
        const std::size_t end = quote == std::string_view::npos ? text.size() : quote;
        if (end > start) {
            append(Quoted(text.substr(start, end - start), '"'));
        }
        if (quote == std::string_view::npos) {
            break;
        }
        append(Quoted("\"", '\''));
        start = quote + 1;
    }
    literal.push_back(')');
    return literal;
}

std::string ModelQueryText(std::string_view kindNoun, std::string_view producer) {
    std::string query = "Zelvar:Sterownik[@typ=";
    query.append(XPathStringLiteral(kindNoun));
    if (!producer.empty()) {
        query.append(" and Zelvar:Producent=").append(XPathStringLiteral(producer));
    }
    query.append("]/Zelvar:Modele/Zelvar:Model");
    return query;
}

}  // namespace pantrel
