// The device kinds of the universal driver and their names.
#pragma once

#include <cstdint>
#include <string>

namespace pantrel {

// The kinds of point-of-sale device the universal driver knows. The codes are single bits and
// are what the model list keeps per row.
enum class DeviceKind : std::uint8_t {
    CashRegister = 1,
    FiscalPrinter = 2,
    LabelScale = 8,
    BarcodeReader = 16,
};

// A kind code handed over in a wider integer counts by its low byte only (257 is a cash
// register, 264 a label scale).
constexpr DeviceKind KindFromCode(std::uint32_t code) {
    return static_cast<DeviceKind>(code & 0xFFu);
}

constexpr std::uint8_t KindCode(DeviceKind kind) {
    return static_cast<std::uint8_t>(kind);
}

// The grammatical cases that have noun forms; other values have none.
enum class GrammaticalCase : int {
    Nominative = 0,
    Genitive = 2,
    Accusative = 3,
    Locative = 5,
};

enum class LetterCase : int {
    Lower = 0,       // every letter lower case
    Upper = 1,       // every letter upper case
    FirstUpper = 2,  // only a first character a to z is raised
};

// String identifier of the kind's noun in the given case and number, 0 when there is none.
unsigned KindNounId(DeviceKind kind, GrammaticalCase grammaticalCase, bool plural);

// The Polish noun (UTF-8) with the letter case applied; empty when the table has no entry.
std::string KindNoun(DeviceKind kind, GrammaticalCase grammaticalCase, bool plural,
                     LetterCase letterCase);

// Changes the letter case in place. Only ASCII letters change; Polish letters stay as they are.
void ApplyLetterCase(std::string& text, LetterCase letterCase);

// The GUID under which the kind's driver is registered. False, with `text` untouched, for a kind
// without a driver (the barcode reader and every code that is not a kind).
bool DriverGuid(DeviceKind kind, std::string& text);

// Cell of the kind's picture in the model list's image strip; 0 (blank) for codes that are no kind.
int KindImageIndex(DeviceKind kind);

}  // namespace pantrel
