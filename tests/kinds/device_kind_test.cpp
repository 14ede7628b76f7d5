#include "kinds/device_kind.h"

#include <gtest/gtest.h>

#include <string>

#include "kinds/string_table.h"

namespace pantrel {
namespace {

using GC = GrammaticalCase;

struct NounCase {
    std::uint32_t code;
    GC grammaticalCase;
    bool plural;
    unsigned id;
    const char* text;
};

class NounTable : public testing::TestWithParam<NounCase> {};

TEST_P(NounTable, IdentifierAndText) {
    const NounCase& c = GetParam();
    const DeviceKind kind = KindFromCode(c.code);
    EXPECT_EQ(KindNounId(kind, c.grammaticalCase, c.plural), c.id);
    EXPECT_EQ(KindNoun(kind, c.grammaticalCase, c.plural, LetterCase::Lower), c.text);
}

// Every cell of the table, and the combinations that have none.
INSTANTIATE_TEST_SUITE_P(
    AllCells, NounTable,
    testing::Values(
        NounCase{1, GC::Nominative, false, 7110, "kasa fiskalna"},
        NounCase{2, GC::Nominative, false, 7111, "drukarka fiskalna"},
        NounCase{8, GC::Nominative, false, 7112, "waga etykietująca"},
        NounCase{16, GC::Nominative, false, 7113, "czytnik kodów kreskowych"},
        NounCase{1, GC::Genitive, false, 7114, "kasy fiskalnej"},
        NounCase{2, GC::Genitive, false, 7115, "drukarki fiskalnej"},
        NounCase{8, GC::Genitive, false, 7116, "wagi etykietującej"},
        NounCase{16, GC::Genitive, false, 7117, "czytnika kodów kreskowych"},
        NounCase{1, GC::Accusative, false, 7126, "kasę fiskalną"},
        NounCase{2, GC::Accusative, false, 7127, "drukarkę fiskalną"},
        NounCase{8, GC::Accusative, false, 7128, "wagę etykietującą"},
        NounCase{16, GC::Accusative, false, 7113, "czytnik kodów kreskowych"},
        NounCase{1, GC::Locative, false, 7130, "kasie fiskalnej"},
        NounCase{2, GC::Locative, false, 7131, "drukarce fiskalnej"},
        NounCase{8, GC::Locative, false, 7132, "wadze etykietującej"},
        NounCase{16, GC::Locative, false, 7133, "czytniku kodów kreskowych"},
        NounCase{1, GC::Nominative, true, 7118, "kasy fiskalne"},
        NounCase{2, GC::Nominative, true, 7119, "drukarki fiskalne"},
        NounCase{8, GC::Nominative, true, 7120, "wagi etykietujące"},
        NounCase{16, GC::Nominative, true, 7121, "czytniki kodów kreskowych"},
        NounCase{1, GC::Genitive, true, 7122, "kas fiskalnych"},
        NounCase{2, GC::Genitive, true, 7123, "drukarek fiskalnych"},
        NounCase{8, GC::Genitive, true, 7124, "wag etykietujących"},
        NounCase{16, GC::Genitive, true, 7125, "czytników kodów kreskowych"},
        NounCase{1, GC::Locative, true, 7134, "kasach fiskalnych"},
        NounCase{2, GC::Locative, true, 7135, "drukarkach fiskalnych"},
        NounCase{8, GC::Locative, true, 7136, "wagach etykietujących"},
        NounCase{16, GC::Locative, true, 7137, "czytnikach kodów kreskowych"},
        // No plural accusative, no forms for cases 1, 4 and 6, no nouns for codes that are no kind.
        NounCase{1, GC::Accusative, true, 0, ""}, NounCase{16, GC::Accusative, true, 0, ""},
        NounCase{1, static_cast<GC>(1), false, 0, ""}, NounCase{2, static_cast<GC>(4), true, 0, ""},
        NounCase{8, static_cast<GC>(6), false, 0, ""}, NounCase{4, GC::Nominative, false, 0, ""},
        NounCase{0, GC::Nominative, true, 0, ""},
        // Only the low byte of a code counts.
        NounCase{257, GC::Nominative, false, 7110, "kasa fiskalna"},
        NounCase{264, GC::Nominative, true, 7120, "wagi etykietujące"},
        NounCase{0x1010, GC::Genitive, false, 7117, "czytnika kodów kreskowych"}));

TEST(KindNoun, FirstUpperGivesTheRegistryAndSpecificationNames) {
    EXPECT_EQ(KindNoun(DeviceKind::CashRegister, GC::Nominative, true, LetterCase::FirstUpper),
              "Kasy fiskalne");
    EXPECT_EQ(KindNoun(DeviceKind::LabelScale, GC::Nominative, true, LetterCase::FirstUpper),
              "Wagi etykietujące");
    EXPECT_EQ(KindNoun(DeviceKind::FiscalPrinter, GC::Nominative, false, LetterCase::FirstUpper),
              "Drukarka fiskalna");
    EXPECT_EQ(KindNoun(DeviceKind::BarcodeReader, GC::Nominative, false, LetterCase::FirstUpper),
              "Czytnik kodów kreskowych");
    EXPECT_EQ(KindNoun(KindFromCode(4), GC::Nominative, false, LetterCase::FirstUpper), "");
}

TEST(ApplyLetterCase, Modes) {
    struct Case {
        const char* input;
        int mode;
        const char* expected;
    };
    const Case cases[] = {
        {"kasa fiskalna", 1, "KASA FISKALNA"},
        {"KaSa Fiskalna", 0, "kasa fiskalna"},
        {"żółw", 2, "żółw"},  // a Polish first letter stays as it is
        {"czytnik kodów kreskowych", 2, "Czytnik kodów kreskowych"},
        {"Abc", 2, "Abc"},
        {"", 2, ""},
        {"wagi", 3, "wagi"},  // an unknown mode changes nothing
        {"wagi", -1, "wagi"},
        {"1abc", 2, "1abc"},
    };
    for (const Case& c : cases) {
        std::string text = c.input;
        ApplyLetterCase(text, static_cast<LetterCase>(c.mode));
        EXPECT_EQ(text, c.expected) << c.input << " mode " << c.mode;
    }
}

TEST(DriverGuid, KindsWithAndWithoutDriver) {
    struct Case {
        std::uint32_t code;
        const char* guid;  // null: no driver
    };
    const Case cases[] = {
        {1, "{FED75241-388C-11d9-AAE0-000C2963BED9}"},
        {2, "{FFB4E470-388C-11d9-AAE0-000C2963BED9}"},
        {8, "{DCC51001-388C-11d9-AAE0-000C2963BED9}"},
        {258, "{FFB4E470-388C-11d9-AAE0-000C2963BED9}"},
        {16, nullptr},
        {4, nullptr},
        {0, nullptr},
    };
    for (const Case& c : cases) {
        std::string text = "untouched";
        const bool found = DriverGuid(KindFromCode(c.code), text);
        EXPECT_EQ(found, c.guid != nullptr) << c.code;
        EXPECT_EQ(text, c.guid != nullptr ? c.guid : "untouched") << c.code;
    }
}

TEST(KindImageIndex, CellPerKind) {
    const std::pair<std::uint32_t, int> cases[] = {{1, 1}, {2, 2}, {8, 3},   {16, 4}, {4, 0},
                                                   {0, 0}, {3, 0}, {264, 3}, {255, 0}};
    for (const auto& [code, cell] : cases) {
        EXPECT_EQ(KindImageIndex(KindFromCode(code)), cell) << code;
    }
}

TEST(StringTable, MessagesAndMissingIdentifiers) {
    EXPECT_EQ(LoadResourceString(IDS_APP_TITLE), "Program serwisowy");
    EXPECT_EQ(LoadResourceString(IDS_NO_DRIVER_CHOSEN), "Nie wybrano żadnego sterownika");
    EXPECT_EQ(LoadResourceString(0), "");
    EXPECT_EQ(LoadResourceString(7129), "");  // the gap between the accusative and the locative
}

}  // namespace
}  // namespace pantrel
