// The text of -list and -validate lines: escaped fields and their layout.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace pantrel {

// A field of a -list or -validate line: a backslash, tab, carriage return or line feed in a model
// name, a producer or a path becomes "\\", "\t", "\r" or "\n", so that every entry stays one line
// of four tab-separated fields that a script can split and unescape.
std::string EscapeListingField(std::string_view text);
// The same written straight into `out`, for the lines of a list of a million models.
void WriteListingField(std::ostream& out, std::string_view text);

// A name quoted in a one-line message: tabs and line breaks shown as "\t", "\r" and "\n";
// backslashes stay as they are, since registry and Windows paths are full of them.
std::string OnOneLine(std::string_view text);

}  // namespace pantrel
