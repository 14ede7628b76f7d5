#include "kinds/device_kind.h"

#include "kinds/string_table.h"

namespace pantrel {
namespace {

// Column of a kind in the noun table, -1 for a code that is no kind.
int KindColumn(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::CashRegister:
            return 0;
        case DeviceKind::FiscalPrinter:
            return 1;
        case DeviceKind::LabelScale:
            return 2;
        case DeviceKind::BarcodeReader:
            return 3;
    }
    return -1;
}

// The identifiers of one case and number, one per kind column. The barcode reader's accusative
// singular is its nominative (7113); the plural has no accusative.
struct NounRow {
    unsigned ids[4];
};

constexpr NounRow kSingularNominative{{7110, 7111, 7112, 7113}};
constexpr NounRow kSingularGenitive{{7114, 7115, 7116, 7117}};
constexpr NounRow kSingularAccusative{{7126, 7127, 7128, 7113}};
constexpr NounRow kSingularLocative{{7130, 7131, 7132, 7133}};
constexpr NounRow kPluralNominative{{7118, 7119, 7120, 7121}};
constexpr NounRow kPluralGenitive{{7122, 7123, 7124, 7125}};
constexpr NounRow kPluralLocative{{7134, 7135, 7136, 7137}};

const NounRow* FindNounRow(GrammaticalCase grammaticalCase, bool plural) {
    if (plural) {
        switch (grammaticalCase) {
            case GrammaticalCase::Nominative:
                return &kPluralNominative;
            case GrammaticalCase::Genitive:
                return &kPluralGenitive;
            case GrammaticalCase::Locative:
                return &kPluralLocative;
            default:
                return nullptr;
        }
    }
    switch (grammaticalCase) {
        case GrammaticalCase::Nominative:
            return &kSingularNominative;
        case GrammaticalCase::Genitive:
            return &kSingularGenitive;
        case GrammaticalCase::Accusative:
            return &kSingularAccusative;
        case GrammaticalCase::Locative:
            return &kSingularLocative;
        default:
            return nullptr;
    }
}

}  // namespace

unsigned KindNounId(DeviceKind kind, GrammaticalCase grammaticalCase, bool plural) {
    const NounRow* const row = FindNounRow(grammaticalCase, plural);
    const int column = KindColumn(kind);
    if (row == nullptr || column < 0) {
        return 0;
    }
    return row->ids[column];
}

std::string KindNoun(DeviceKind kind, GrammaticalCase grammaticalCase, bool plural,
                     LetterCase letterCase) {
    std::string text{LoadResourceString(KindNounId(kind, grammaticalCase, plural))};
    ApplyLetterCase(text, letterCase);
    return text;
}

void ApplyLetterCase(std::string& text, LetterCase letterCase) {
    constexpr char kCaseDistance = 'a' - 'A';
    switch (letterCase) {
        case LetterCase::Lower:
            for (char& c : text) {
                if (c >= 'A' && c <= 'Z') {
                    c = static_cast<char>(c + kCaseDistance);
                }
            }
            break;
        case LetterCase::Upper:
            for (char& c : text) {
                if (c >= 'a' && c <= 'z') {
                    c = static_cast<char>(c - kCaseDistance);
                }
            }
            break;
        case LetterCase::FirstUpper:
            if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
                text.front() = static_cast<char>(text.front() - kCaseDistance);
            }
            break;
    }
}

bool DriverGuid(DeviceKind kind, std::string& text) {
    unsigned id = 0;
    switch (kind) {
        case DeviceKind::CashRegister:
            id = IDS_GUID_CASH_REGISTER;
            break;
        case DeviceKind::FiscalPrinter:
            id = IDS_GUID_FISCAL_PRINTER;
            break;
        case DeviceKind::LabelScale:
            id = IDS_GUID_LABEL_SCALE;
            break;
        case DeviceKind::BarcodeReader:
            return false;
    }
    const std::string_view guid = LoadResourceString(id);
    if (guid.empty()) {
        return false;
    }
    text.assign(guid);
    return true;
}

int KindImageIndex(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::CashRegister:
            return 1;
        case DeviceKind::FiscalPrinter:
            return 2;
        case DeviceKind::LabelScale:
            return 3;
        case DeviceKind::BarcodeReader:
            return 4;
    }
    return 0;
}

}  // namespace pantrel
