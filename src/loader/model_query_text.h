// The XPath texts of the model queries.
#pragma once

#include <string>
#include <string_view>

namespace pantrel {

// `text` as an XPath 1.0 string literal that stands for exactly that text: in double quotes, in
// single quotes when it holds a double quote, and as concat() of pieces when it holds both.
std::string XPathStringLiteral(std::string_view text);

// The query, relative to the Sterowniki element, for the models of the drivers whose typ is
// `kindNoun` and, when `producer` is not empty, whose Producent is `producer`.
std::string ModelQueryText(std::string_view kindNoun, std::string_view producer);

}  // namespace pantrel
