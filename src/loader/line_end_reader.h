// Feeds a file to the parser with its line ends as XML reads them.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "base/input_file.h"

namespace pantrel {

// Hands a specification file to the parser with its line ends as XML reads them: CR LF and a
// lone CR become LF before the parser sees them. Every XML processor must do exactly this, and
// libxml2 does it for the document's text, so the document is unchanged; but libxml2 2.9 counts a
// line only at LF, so a file with CR-only line ends would be one long line in every error
// position. Works on characters of 1, 2 or 4 bytes (UTF-8 and the 8-bit code pages, UTF-16,
// UCS-4, told from the first bytes as the parser tells them); EBCDIC passes unchanged.
class LineEndReader {
public:
    explicit LineEndReader(InputFile file);

    // Up to `length` bytes of the file; 0 at its end, -1 when it cannot be read.
    int Read(char* buffer, int length);

    // libxml2's read and close callbacks over a reader they own (made with new).
    static int ReadCallback(void* context, char* buffer, int length);
    static int CloseCallback(void* context);

private:
    void DetectCharacterSize(const unsigned char* bytes, std::size_t count);
    std::size_t Translate(char* bytes, std::size_t count);
    std::size_t TranslateBytes(char* bytes, std::size_t count);

    // The file's read buffer, declared first so that it outlives the file. libxml2 asks for 4,000
    // bytes at a time; stdio's own buffer would make a system call of each.
    std::unique_ptr<char[]> readBuffer_;
    InputFile file_;
    std::size_t unit_ = 0;  // bytes per character; 0 until the first bytes are read
    std::size_t low_ = 0;   // the byte of a character that carries CR or LF
    bool translate_ = true;
    bool afterCarriageReturn_ = false;
    std::array<char, 4> carry_{};  // the start of a character cut at the end of a read
    std::size_t carried_ = 0;
};

}  // namespace pantrel
