#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pantrel {

// Windows-1250 is the code page of the universal driver's registry: the model list orders its
// texts by their Windows-1250 bytes, and registry files for Windows carry that encoding.

// The text in Windows-1250, or nothing when it is not valid UTF-8 or holds a character that
// Windows-1250 cannot carry.
std::optional<std::string> Utf8ToWindows1250(std::string_view utf8);

// The Windows-1250 bytes as UTF-8; the five unassigned bytes map to the control characters of
// the same number, as Windows does.
std::string Windows1250ToUtf8(std::string_view bytes);

// A key whose plain comparison orders texts as their Windows-1250 bytes compare (capitals before
// small letters, Polish letters after all ASCII letters). Characters outside Windows-1250, and
// bytes that are not valid UTF-8, sort after every Windows-1250 character instead of being lost.
std::u32string Windows1250SortKey(std::string_view utf8);

// The character a Windows-1250 byte stands for; every byte stands for one (the five unassigned
// ones for the control character of the same number).
char16_t Windows1250Character(unsigned char byte);

// The Windows-1250 byte of a character, or -1 when the code page cannot carry it.
int Windows1250Byte(char32_t character);

}  // namespace pantrel
