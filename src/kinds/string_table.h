// The program's texts by number, as the string table holds them.
#pragma once

#include <string_view>

namespace pantrel {

// Identifiers of the texts the tool looks up by number. The noun identifiers 7110 to 7137 are
// reached through KindNounId.
inline constexpr unsigned IDS_GUID_CASH_REGISTER = 111;
inline constexpr unsigned IDS_GUID_LABEL_SCALE = 112;
inline constexpr unsigned IDS_GUID_FISCAL_PRINTER = 113;
inline constexpr unsigned IDS_ABOUT_ENTRY = 101;        // "O &programie"
inline constexpr unsigned IDS_NO_DRIVER_CHOSEN = 1001;  // "Nie wybrano żadnego sterownika"
inline constexpr unsigned IDS_CONFIRM_REMOVAL = 8036;   // question with one %s: the model name
inline constexpr unsigned IDS_APP_TITLE = 57344;        // "Program serwisowy"

// The text of a string resource in UTF-8; empty when there is no string with that identifier
// (0 names none).
std::string_view LoadResourceString(unsigned id);

}  // namespace pantrel
