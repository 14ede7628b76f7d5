#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "base/utf8_path.h"

namespace pantrel {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view word) {
    return text.size() >= word.size() &&
           std::equal(word.begin(), word.end(), text.begin(),
                      [](char w, char t) { return w == LowerAscii(t); });
}

// The word is followed by a blank, a double quote or nothing.
bool StandsAlone(std::string_view text, std::string_view word) {
    return StartsWithIgnoringCase(text, word) &&
           (text.size() == word.size() || text[word.size()] == ' ' || text[word.size()] == '"');
}

struct Switch {
    std::string_view word;
    CommandAction action;
    // The two switches that driver installers have always called are prefix tests, so the path
    // may follow the word directly ("/installx.xml"); the words only this tool adds must stand
    // alone, or a bare path such as /exports/notes.txt would be taken for one of them.
    bool prefix;
};

// Tested in this order: "install" must come before "uninstall".
constexpr std::array kSwitches{
    Switch{"install", CommandAction::Install, true},
    Switch{"uninstall", CommandAction::Uninstall, true},
    Switch{"validate", CommandAction::Validate, false},
    Switch{"export", CommandAction::Export, false},
    Switch{"list", CommandAction::List, false},
};

}  // namespace

std::string JoinArguments(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text.push_back(' ');
        }
        text.append(argv[i]);
    }
    return text;
}

std::wstring_view TextAfterProgramName(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        end = end == std::wstring_view::npos ? commandLine.size() : end;
    }
    const std::size_t rest = commandLine.find_first_not_of(L" \t", end);
    return rest == std::wstring_view::npos ? std::wstring_view{} : commandLine.substr(rest);
}

std::string TrimBlanksAndQuotes(std::string_view text) {
    constexpr std::string_view kTrimmed = " \"";
    const std::size_t first = text.find_first_not_of(kTrimmed);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kTrimmed);
    return std::string{text.substr(first, last - first + 1)};
}

Command ParseCommandLine(std::string_view text) {
    if (text.empty() || (text.front() != '-' && text.front() != '/')) {
        return {};
    }
    const std::string_view word = text.substr(1);
    for (const Switch& candidate : kSwitches) {
        if (candidate.prefix ? StartsWithIgnoringCase(word, candidate.word)
                             : StandsAlone(word, candidate.word)) {
            Command command{candidate.action,
                            TrimBlanksAndQuotes(word.substr(candidate.word.size()))};
            // -list takes no path; anything after it is not a listing the user can have meant.
            if (command.action == CommandAction::List && !command.path.empty()) {
                return {};
            }
            return command;
        }
    }
    return {};
}

std::string MakeFullPath(const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    // On Windows this asks GetFullPathNameW, the wide form of _fullpath, which resolves ".." as
    // the system does there; elsewhere it joins the path to the current folder.
    const fs::path full = fs::absolute(PathFromUtf8(path), error);
    if (error) {
        return path;
    }
    // "." and doubled separators never change which file a path names; ".." after a symbolic
    // link leaves the folder the link leads to, so the folders up to the last ".." are resolved
    // by the system, not by the text.
    fs::path head;
    fs::path tail;
    for (const fs::path& part : full) {
        if (part == "..") {
            head /= tail;
            head /= part;
            tail.clear();
        } else if (part != "." && !part.empty()) {
            tail = tail.empty() && head.empty() ? part : tail / part;
        }
    }
    if (head.empty()) {
        return Utf8FromPath(tail);
    }
    const fs::path resolved = fs::canonical(head, error);
    return Utf8FromPath(error ? head / tail : tail.empty() ? resolved : resolved / tail);
}

}  // namespace pantrel
