#include "loader/messages/parse_error_message.h"

namespace pantrel {

std::string ParseErrorMessage(const std::string& path, const ParseIssue& issue,
                              const std::string& sourceLine) {
    std::string message = "Błąd w pliku '";
    message.append(path)
        .append("' linia ")
        .append(std::to_string(issue.line))
        .append(", pozycja ")
        .append(std::to_string(issue.column))
        .append(":\n")
        .append(issue.description)
        .append("\n")
        .append(sourceLine);
    return message;
}

}  // namespace pantrel
