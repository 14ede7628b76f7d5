// The Polish message that says where a file broke.
#pragma once

#include <string>

#include "loader/validating_parse.h"

namespace pantrel {

// The message that tells the user where a specification file broke (UTF-8):
//   Błąd w pliku '<path>' linia <line>, pozycja <column>:
//   <description>
//   <source line>
std::string ParseErrorMessage(const std::string& path, const ParseIssue& issue,
                              const std::string& sourceLine);

}  // namespace pantrel
