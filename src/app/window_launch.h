// Starting the window program in place of a command-line run.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace pantrel {

// Opens the window in place of this process: the window is a program of its own
// (pantrel-window), so that a command-line run never loads the window toolkit. When no display
// can be opened it explains the switches on `err` and answers EXIT_NO_DISPLAY; when the window
// program cannot be started it says why and answers the same. Never returns otherwise. The
// window gets these arguments and works on `storeFile`.
int StartWindow(char** argv, const std::filesystem::path& storeFile, std::ostream& err);

}  // namespace pantrel
