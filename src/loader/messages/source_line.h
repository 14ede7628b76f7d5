// The source line a message quotes, decoded to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pantrel {

// Longest source line a message quotes, in bytes of UTF-8; a longer line is cut and marked.
inline constexpr std::size_t MAX_QUOTED_LINE = 1000;

// The text of line `lineNumber` (counted from 1) of the file at `path`, decoded from
// `encoding` (a name libxml2 knows; empty for UTF-8) to UTF-8, without its line end and
// without a byte-order mark. Empty when the file or the line cannot be read.
std::string ReadSourceLine(const std::string& path, long lineNumber, std::string_view encoding);

}  // namespace pantrel
