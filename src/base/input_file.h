// Files opened for reading by UTF-8 path, closed on scope exit.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace pantrel {

struct FileClose {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, FileClose>;

// Opens the file at `path` (UTF-8) for reading bytes; empty when it cannot be opened.
InputFile OpenInputFile(const std::string& path);

}  // namespace pantrel
