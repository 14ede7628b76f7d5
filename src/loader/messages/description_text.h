// UTF-8 helpers that make parser texts fit for one message line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pantrel {

// Length of the well-formed UTF-8 sequence at `at`, 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The text as valid UTF-8 on one line: line breaks and tabs written as \n, \r, \t, a byte that
// starts no valid sequence and any other control character as U+FFFD. libxml2 may hand over
// names cut inside a character after an encoding error.
std::string OneLine(std::string_view text);

// A value quoted for a description: in apostrophes, on one line as above, cut after 80
// characters with "…".
std::string Quoted(std::string_view value);

// A field of libxml2's error record as text; empty for none.
std::string_view Field(const char* text);

// "1 znak", "3 znaki", "12 znaków", …
std::string CharacterCount(std::string_view number);

// ", szczegóły: 'a', 'b', 7" for the fields that are set, or nothing.
std::string Details(const char* str1, const char* str2, const char* str3, int int1);

}  // namespace pantrel
