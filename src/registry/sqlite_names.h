// The registry's name limits and name folding, as the SQLite store keeps them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pantrel {

// Limits the Windows registry puts on what it stores, names counted as it counts them
// (RegistryTextLength); the stand-in refuses the same (87).
inline constexpr std::size_t MAX_KEY_NAME_CHARACTERS = 255;
inline constexpr std::size_t MAX_VALUE_NAME_CHARACTERS = 16383;
inline constexpr std::size_t MAX_VALUE_DATA_BYTES = 1024 * 1024;

// The form in which key and value names are compared: ASCII, Latin-1 and Latin Extended-A
// capitals (all letters of the Polish alphabet among them) become small letters; every other
// byte, malformed UTF-8 included, stays as it is. The folded names are stored in the database,
// so this mapping is part of the file format and must never change.
std::string FoldName(std::string_view name);
// The same into `folded`, whose buffer is reused: a key folds every value name written to it.
void FoldNameInto(std::string_view name, std::string& folded);

// The components of a backslash-separated key path; none when the path is empty, a component
// is empty or longer than a key name may be, or the path holds a NUL.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path);

// Whether a value of this name and this many bytes of data may be stored.
bool IsStorableValue(std::string_view name, std::size_t dataSize);

}  // namespace pantrel
