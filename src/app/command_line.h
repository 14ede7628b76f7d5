// The command line read into one action and its file.
#pragma once

#include <string>
#include <string_view>

namespace pantrel {

enum class CommandAction {
    Window,     // no switch, or a switch word the tool does not know
    Install,    // -install FILE
    Uninstall,  // -uninstall FILE
    List,       // -list
    Validate,   // -validate FILE
    Export,     // -export FILE
};

struct Command {
    CommandAction action = CommandAction::Window;
    std::string path;  // trimmed of blanks and double quotes, not yet made absolute
};

// The command-line text as the tool reads it: the arguments after the program name joined by
// single blanks.
std::string JoinArguments(int argc, const char* const* argv);

// The command-line text after the program name, from the whole command line of a Windows
// process (GetCommandLineW), skipped as Windows itself skips it: a name in double quotes ends
// at the closing quote, any other at the first blank or tab; the blanks and tabs after it go.
std::wstring_view TextAfterProgramName(std::wstring_view commandLine);

// Decides what to do. A switch is "-" or "/" followed by a word compared without regard to case.
// "install" and "uninstall" are prefix tests, so the path may follow the word directly
// ("/installx.xml"), and install is tested before uninstall; "list", "validate" and "export"
// count only when a blank, a double quote or the end follows them.
Command ParseCommandLine(std::string_view text);

// Removes blanks and double quotes from both ends.
std::string TrimBlanksAndQuotes(std::string_view text);

// The absolute, normalised form of the path against the current folder; the path unchanged
// when that cannot be had; an empty path stays empty.
std::string MakeFullPath(const std::string& path);

}  // namespace pantrel
