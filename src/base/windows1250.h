// The Windows-1250 code page: conversions, sort keys and the registry's text lengths.
#pragma once

#include <cstddef>
#include <cstdint>
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
// Compares two texts as their Windows1250SortKey keys compare (negative, zero or positive),
// without making the keys: a list of a million models is sorted with it.
int CompareWindows1250Order(std::string_view a, std::string_view b);

// The length of a text as the registry counts it: one for each Windows-1250 character, the one
// byte an ANSI reader of the registry (the universal driver) receives for it, and for any other
// character its UTF-16 code units, what the registry holds; a byte that is not valid UTF-8 counts
// one. Name limits and listing buffers are counted in this measure, never in UTF-8 bytes.
std::size_t RegistryTextLength(std::string_view utf8);
// Whether RegistryTextLength(utf8) <= limit. No character counts more than its UTF-8 bytes, so a
// text of at most `limit` bytes is not counted at all.
bool RegistryTextFits(std::string_view utf8, std::size_t limit);

// The size of a value's data as the registry counts it for an ANSI reader: the RegistryTextLength
// of a string value's data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, their terminators included), the
// bytes of any other value.
std::size_t RegistryDataSize(std::uint32_t type, std::string_view data);

// The character a Windows-1250 byte stands for; every byte stands for one (the five unassigned
// ones for the control character of the same number).
char16_t Windows1250Character(unsigned char byte);

// The Windows-1250 byte of a character, or -1 when the code page cannot carry it.
int Windows1250Byte(char32_t character);

}  // namespace pantrel
