#pragma once

#include <string>
#include <string_view>

namespace pantrel {

// A value quoted for a description: in apostrophes, line breaks and tabs written as \n, \r, \t
// so the description stays one line, cut after 80 characters with "…".
std::string Quoted(std::string_view value);

// A field of libxml2's error record as text; empty for none.
std::string_view Field(const char* text);

// "1 znak", "3 znaki", "12 znaków", …
std::string CharacterCount(std::string_view number);

// ", szczegóły: 'a', 'b', 7" for the fields that are set, or nothing.
std::string Details(const char* str1, const char* str2, const char* str3, int int1);

}  // namespace pantrel
